#include "app/session/desktop_session.h"

#include <filesystem>

#include "app/shell/app_messages.h"
#include "app/session/file_drop.h"
#include "app/shell/main_frame.h"
#include "app/session/preset_import_prompt.h"
#include "app/session/recent_files_menu.h"
#include "app/session/window_state.h"

namespace dotforge {
namespace {

// The Open dialog hands over full paths; a file named on the command line is
// made full the same way, so that the already-opened rule compares like with like.
std::string FullPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

}  // namespace

DesktopSession::DesktopSession(CMainFrame& frame, SettingsStore& store, Prompt& prompt, OpenWith open)
    : frame_(frame), store_(store), prompt_(prompt), open_(std::move(open)), recent_(store) {
  RestoreWindowState(frame_, store_);
  menu_ = new RecentFilesMenu(
      recent_, [this](const std::string& path) { OpenRecentFile(path); }, &frame_);
  // After the File menu's own entries, so that none of them moves.
  for (const MenuBarKind kind : {MenuBarKind::NoDocument, MenuBarKind::FontSet}) {
    QMenu* file = frame_.Menus(kind).front();
    file->addSeparator();
    file->addAction(menu_->menuAction());
  }
  new FileDrop(frame_, [this](const std::vector<std::string>& paths) { OpenFiles(paths); });
}

DesktopSession::~DesktopSession() = default;

void DesktopSession::OpenFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    // A mistyped name would otherwise open an empty font set under that name.
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
      prompt_.ShowMessage(path + msg::kFileNotFound);
      continue;
    }
    OpenFile(FullPath(path));
  }
}

void DesktopSession::OpenFile(const std::string& path) {
  PresetImportPrompt dialogs(prompt_, path);
  open_(dialogs);
}

void DesktopSession::OpenRecentFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    recent_.Remove(path);
    prompt_.ShowMessage(path + msg::kRecentFileGone);
    return;
  }
  OpenFile(path);
}

void DesktopSession::FileOpened(const std::string& path) { recent_.Add(FullPath(path)); }

void DesktopSession::StoreLayout() { StoreWindowState(frame_, store_); }

}  // namespace dotforge
