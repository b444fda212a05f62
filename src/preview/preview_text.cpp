#include "preview/preview_text.h"

#include <algorithm>
#include <optional>

#include "preview/preview_messages.h"

namespace dotforge {
namespace {

constexpr std::size_t kShortEscapeDigits = 2;
constexpr std::size_t kLongEscapeDigits = 4;

// A bounded reader of UTF-8 characters.
class Utf8Reader {
 public:
  explicit Utf8Reader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return text_[at_]; }
  std::string_view Rest() const { return text_.substr(at_); }
  void Skip(std::size_t bytes) { at_ = std::min(text_.size(), at_ + bytes); }

  // The next character, or nothing (one byte taken) where the bytes are no UTF-8.
  std::optional<char32_t> Next() {
    const auto lead = static_cast<std::uint8_t>(text_[at_++]);
    if (lead < 0x80) return lead;
    std::size_t length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 1, value = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 2, value = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 3, value = lead & 0x07, lowest = 0x10000;
    } else {
      return std::nullopt;
    }
    if (text_.size() - at_ < length) return std::nullopt;
    for (std::size_t i = 0; i < length; ++i) {
      const auto next = static_cast<std::uint8_t>(text_[at_ + i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      value = value << 6 | (next & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    at_ += length;
    return value;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// How many hexadecimal digits `text` starts with, up to `most`.
std::size_t HexDigits(std::string_view text, std::size_t most) {
  std::size_t count = 0;
  while (count < most && count < text.size() && HexValue(text[count]) >= 0) ++count;
  return count;
}

std::uint32_t HexNumber(std::string_view digits) {
  std::uint32_t value = 0;
  for (const char c : digits) value = value << 4 | static_cast<std::uint32_t>(HexValue(c));
  return value;
}

// What follows a bad escape's backslash, for the message: its letter, and the digits after an x.
std::string EscapeShown(std::string_view rest) {
  if (rest.empty()) return {};
  if (rest[0] == 'x') return std::string(rest.substr(0, 1 + HexDigits(rest.substr(1), kLongEscapeDigits)));
  Utf8Reader reader(rest);
  reader.Next();
  return std::string(rest.substr(0, rest.size() - reader.Rest().size()));
}

// Reads the escape after a backslash into `lines`; false when it is bad.
bool TakeEscape(Utf8Reader& reader, const PreviewEncoder& encoder, std::vector<PreviewLine>& lines) {
  if (reader.AtEnd()) return false;
  const char kind = reader.Peek();
  if (kind == '\\') {
    reader.Skip(1);
    encoder.Encode(U'\\', lines.back());
    return true;
  }
  if (kind == 'n') {
    reader.Skip(1);
    lines.emplace_back();
    return true;
  }
  if (kind != 'x') return false;
  const std::string_view digits = reader.Rest().substr(1);
  std::size_t count = HexDigits(digits, kLongEscapeDigits);
  if (count < kShortEscapeDigits) return false;
  if (count < kLongEscapeDigits) count = kShortEscapeDigits;
  lines.back().push_back(HexNumber(digits.substr(0, count)));
  reader.Skip(1 + count);
  return true;
}

}  // namespace

bool PreviewText::Empty() const {
  return std::all_of(lines.begin(), lines.end(), [](const PreviewLine& line) { return line.empty(); });
}

PreviewText ParsePreviewText(std::string_view text, const PreviewEncoder& encoder) {
  PreviewText result;
  result.lines.emplace_back();
  Utf8Reader reader(text);
  std::size_t position = 0;  // characters read so far
  while (!reader.AtEnd()) {
    ++position;
    const char c = reader.Peek();
    if (c == '\r' || c == '\n') {
      reader.Skip(c == '\r' && reader.Rest().substr(0, 2) == "\r\n" ? 2 : 1);
      result.lines.emplace_back();
      continue;
    }
    if (c == '\\') {
      reader.Skip(1);
      const std::string_view escape = reader.Rest();
      if (!TakeEscape(reader, encoder, result.lines)) {
        result.lines.clear();
        result.error = msg::FormatMessage(msg::kPreviewBadEscape, {std::to_string(position), EscapeShown(escape)});
        return result;
      }
      continue;
    }
    const std::optional<char32_t> character = reader.Next();
    if (character) {
      encoder.Encode(*character, result.lines.back());
    } else {
      result.lines.back().push_back(kNoCode);
    }
  }
  return result;
}

}  // namespace dotforge
