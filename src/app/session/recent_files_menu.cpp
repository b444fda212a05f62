#include "app/session/recent_files_menu.h"

#include "app/shell/app_messages.h"
#include "app/shell/command_ids.h"
#include "app/shell/command_table.h"

namespace dotforge {

RecentFilesMenu::RecentFilesMenu(const RecentFiles& files, OpenFile open, QWidget* parent)
    : QMenu(QString::fromUtf8(msg::kRecentFilesMenu), parent), files_(files), open_(std::move(open)) {
  // The pop-up's own item takes part in command routing like any menu item.
  menuAction()->setData(cmd::kRecentFiles);
  menuAction()->setStatusTip(QString::fromStdString(StatusPrompt(cmd::kRecentFiles)));
  connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::Rebuild);
  Rebuild();
}

void RecentFilesMenu::Rebuild() {
  clear();
  int number = 1;
  for (const std::string& path : files_.Paths()) {
    QString text = QString::fromStdString(path);
    text.replace('&', "&&");
    QAction* entry = addAction(QString("&%1 %2").arg(number++).arg(text));
    entry->setStatusTip(QString::fromUtf8(msg::kOpenRecentPrompt));
    // The path is copied: choosing an entry may change the list.
    connect(entry, &QAction::triggered, this, [this, path] { open_(path); });
  }
}

}  // namespace dotforge
