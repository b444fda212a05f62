#pragma once
// What makes the editor a desktop application besides its menus: files opened
// from the command line, by dropping them on the main window or from the File
// menu's Recent Files list, and the main window's layout kept between runs.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session/recent_files.h"
#include "framework/prompt.h"
#include "platform/settings_store.h"

namespace dotforge {

class CMainFrame;
class RecentFilesMenu;

class DesktopSession {
 public:
  // Runs the Open command with `dialogs` answering its file dialog.
  using OpenWith = std::function<void(Prompt& dialogs)>;

  // `store` must be loaded; the window gets its stored layout and the Recent
  // Files pop-up at the end of its File menus.
  DesktopSession(CMainFrame& frame, SettingsStore& store, Prompt& prompt, OpenWith open);
  ~DesktopSession();

  // Opens each file as Open would, its type told by its extension.
  void OpenFiles(const std::vector<std::string>& paths);
  // A font set was opened from `path`: it goes first in the Recent Files list.
  void FileOpened(const std::string& path);
  const RecentFiles& Recent() const { return recent_; }
  // Writes the window's layout into the store, as the program ends.
  void StoreLayout();

 private:
  void OpenFile(const std::string& path);
  void OpenRecentFile(const std::string& path);

  CMainFrame& frame_;
  SettingsStore& store_;
  Prompt& prompt_;
  OpenWith open_;
  RecentFiles recent_;
  RecentFilesMenu* menu_;  // owned by the main window
};

}  // namespace dotforge
