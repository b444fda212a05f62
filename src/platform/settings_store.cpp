#include "platform/settings_store.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/file_io.h"

namespace dotforge {
namespace {

constexpr std::string_view kBinaryTag = "hex:";
constexpr std::string_view kStringTag = "str:";

// Names and keys also escape the characters that give a line its meaning.
std::string Escape(std::string_view text, bool name = false) {
  std::string out;
  for (const char c : text) {
    if (name && (c == '=' || c == '[' || c == ']' || c == '#')) {
      out += '\\';
      out += c;
    } else if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<Bytes> ParseHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  Bytes bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

// The first `wanted` that is not escaped.
std::size_t FindUnescaped(std::string_view line, char wanted) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == wanted) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string_view StripCr(std::string_view line) {
  return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

}  // namespace

std::filesystem::path SettingsStore::DefaultPath() {
  if (const char* file = std::getenv(kSettingsFileVariable); file && *file) return file;
  std::filesystem::path folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
    folder = config;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::filesystem::path(home) / ".config";
  } else {
    folder = ".";
  }
  return folder / "dotforge" / "settings.conf";
}

bool SettingsStore::Load() {
  keys_.clear();
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) return !error;
  const std::optional<Bytes> bytes = ReadWholeFile(file_);
  if (!bytes) return false;
  FromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  return true;
}

bool SettingsStore::Save() const {
  std::error_code error;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), error);
  const std::string text = ToText();
  return WriteFileAtomically(file_, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) ==
         WriteStatus::Ok;
}

const SettingsStore::Value* SettingsStore::Find(const std::string& key, const std::string& name) const {
  const auto values = keys_.find(key);
  if (values == keys_.end()) return nullptr;
  const auto value = values->second.find(name);
  return value == values->second.end() ? nullptr : &value->second;
}

std::optional<Bytes> SettingsStore::QueryBinary(const std::string& key, const std::string& name) const {
  const Value* value = Find(key, name);
  if (!value || !std::holds_alternative<Bytes>(*value)) return std::nullopt;
  return std::get<Bytes>(*value);
}

std::optional<std::string> SettingsStore::QueryString(const std::string& key, const std::string& name) const {
  const Value* value = Find(key, name);
  if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
  return std::get<std::string>(*value);
}

void SettingsStore::SetBinary(const std::string& key, const std::string& name, ByteView value) {
  keys_[key][name] = Bytes(value.begin(), value.end());
}

void SettingsStore::SetString(const std::string& key, const std::string& name, std::string value) {
  keys_[key][name] = std::move(value);
}

void SettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  if (const auto values = keys_.find(key); values != keys_.end()) values->second.erase(name);
}

std::string SettingsStore::ToText() const {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "# Dotforge settings\n";
  for (const auto& [key, values] : keys_) {
    text += '[';
    text += Escape(key, true);
    text += "]\n";
    for (const auto& [name, value] : values) {
      text += Escape(name, true);
      text += '=';
      if (const auto* bytes = std::get_if<Bytes>(&value)) {
        text += kBinaryTag;
        for (const std::uint8_t byte : *bytes) {
          text += kDigits[byte >> 4];
          text += kDigits[byte & 0x0F];
        }
      } else {
        text += kStringTag;
        text += Escape(std::get<std::string>(value));
      }
      text += '\n';
    }
  }
  return text;
}

void SettingsStore::FromText(std::string_view text) {
  keys_.clear();
  const std::string* key = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = StripCr(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (FindUnescaped(line, ']') != line.size() - 1) {
        key = nullptr;
        continue;
      }
      key = &keys_.try_emplace(Unescape(line.substr(1, line.size() - 2))).first->first;
      continue;
    }
    const std::size_t equals = FindUnescaped(line, '=');
    if (!key || equals == std::string_view::npos) continue;
    const std::string name = Unescape(line.substr(0, equals));
    const std::string_view value = line.substr(equals + 1);
    if (value.substr(0, kBinaryTag.size()) == kBinaryTag) {
      if (const std::optional<Bytes> bytes = ParseHex(value.substr(kBinaryTag.size()))) keys_[*key][name] = *bytes;
    } else if (value.substr(0, kStringTag.size()) == kStringTag) {
      keys_[*key][name] = Unescape(value.substr(kStringTag.size()));
    }
  }
}

}  // namespace dotforge
