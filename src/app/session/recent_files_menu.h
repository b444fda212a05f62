#pragma once
// The File menu's "Recent Files" pop-up: one numbered entry per file of the list,
// rebuilt each time it opens.

#include <QMenu>
#include <functional>
#include <string>

#include "app/session/recent_files.h"

namespace dotforge {

class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  using OpenFile = std::function<void(const std::string& path)>;

  // Choosing an entry calls `open` with its path.
  RecentFilesMenu(const RecentFiles& files, OpenFile open, QWidget* parent);

  // Fills the menu from the list (also done as it opens).
  void Rebuild();

 private:
  const RecentFiles& files_;
  OpenFile open_;
};

}  // namespace dotforge
