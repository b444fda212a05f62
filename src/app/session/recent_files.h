#pragma once
// The list of recently opened font files, newest first, kept in the settings
// store so that it lasts between runs.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace dotforge {

inline constexpr std::size_t kMaxRecentFiles = 8;
inline constexpr const char* kRecentFilesKey = "SOFTWARE\\TALMOR\\DOTFORGE\\Recent File List";

class RecentFiles {
 public:
  // Reads the list from `store`, which must already be loaded. Every change is
  // written to the store and the store to its file.
  explicit RecentFiles(SettingsStore& store);

  const std::vector<std::string>& Paths() const { return paths_; }
  // Puts `path` first; an older entry for it goes, and the oldest beyond eight.
  void Add(const std::string& path);
  void Remove(const std::string& path);

 private:
  void Write();

  SettingsStore& store_;
  std::vector<std::string> paths_;
};

}  // namespace dotforge
