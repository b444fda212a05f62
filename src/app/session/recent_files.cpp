#include "app/session/recent_files.h"

#include <algorithm>

namespace dotforge {
namespace {

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

RecentFiles::RecentFiles(SettingsStore& store) : store_(store) {
  for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
    const std::optional<std::string> path = store_.QueryString(kRecentFilesKey, EntryName(i));
    if (path && !path->empty() && std::find(paths_.begin(), paths_.end(), *path) == paths_.end()) {
      paths_.push_back(*path);
    }
  }
}

void RecentFiles::Add(const std::string& path) {
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxRecentFiles) paths_.resize(kMaxRecentFiles);
  Write();
}

void RecentFiles::Remove(const std::string& path) {
  std::erase(paths_, path);
  Write();
}

void RecentFiles::Write() {
  // Unused entries are written empty, so that a shorter list replaces a longer one.
  store_.CreateKey(kRecentFilesKey);
  for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
    store_.SetString(kRecentFilesKey, EntryName(i), i < paths_.size() ? paths_[i] : std::string());
  }
  store_.Save();
}

}  // namespace dotforge
