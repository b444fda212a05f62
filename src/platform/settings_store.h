#pragma once
// A per-user settings file that stands in for the registry: named keys holding
// named binary and string values. The file lives under the XDG configuration
// folder; DOTFORGE_SETTINGS_FILE may name another file (tests use it).
//
// File layout, one value per line:
//   [KEY]
//   Name=hex:0a01        binary value
//   Name=str:text        string value (\\, \n and \r escaped)
// Lines that do not fit are skipped, so a damaged file loses only those values.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/bytes.h"

namespace dotforge {

inline constexpr const char* kSettingsFileVariable = "DOTFORGE_SETTINGS_FILE";

class SettingsStore {
 public:
  using Value = std::variant<Bytes, std::string>;
  using Values = std::map<std::string, Value>;

  // DOTFORGE_SETTINGS_FILE, else $XDG_CONFIG_HOME/dotforge/settings.conf, else
  // $HOME/.config/dotforge/settings.conf.
  static std::filesystem::path DefaultPath();

  explicit SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads the file. A missing file is an empty store; false when the file exists
  // but cannot be read.
  bool Load();
  // Replaces the file atomically, creating its folder; false when that fails.
  bool Save() const;

  bool HasKey(const std::string& key) const { return keys_.count(key) > 0; }
  void CreateKey(const std::string& key) { keys_[key]; }
  std::optional<Bytes> QueryBinary(const std::string& key, const std::string& name) const;
  std::optional<std::string> QueryString(const std::string& key, const std::string& name) const;
  void SetBinary(const std::string& key, const std::string& name, ByteView value);
  void SetString(const std::string& key, const std::string& name, std::string value);
  // Removes a value; nothing happens when it is not there.
  void DeleteValue(const std::string& key, const std::string& name);

  const std::filesystem::path& File() const { return file_; }

  std::string ToText() const;
  void FromText(std::string_view text);

 private:
  const Value* Find(const std::string& key, const std::string& name) const;

  std::filesystem::path file_;
  std::map<std::string, Values> keys_;
};

}  // namespace dotforge
