#pragma once
// The main window: an MDI area, the top and left toolbars, the status bar, and
// the menu bar that follows the active child window.

#include <QMainWindow>
#include <QTimer>
#include <map>
#include <vector>

#include "app/shell/menu_layout.h"
#include "framework/command_target.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace dotforge {

inline constexpr const char* kMainTitle = "Dotforge V2.1.3";

// What the main window needs to know about a child window's content: its
// command targets and the menu bar it brings.
class ChildContent {
 public:
  virtual ~ChildContent() = default;
  virtual CCmdTarget* ViewTarget() = 0;
  virtual CCmdTarget* DocumentTarget() = 0;
  virtual MenuBarKind Menu() const = 0;
};

class CMainFrame : public QMainWindow, public CCmdTarget {
  Q_OBJECT

 public:
  // `application` ends every command route.
  explicit CMainFrame(CCmdTarget& application);
  ~CMainFrame() override;

  QMdiArea* MdiArea() const { return mdiArea_; }
  QToolBar* TopToolbar() const { return topToolbar_; }
  QToolBar* LeftToolbar() const { return leftToolbar_; }
  QToolBar* GlyphToolbar() const { return glyphToolbar_; }
  // The toolbar button of a command, if it has one.
  QAction* ToolbarAction(int id) const;
  // The menu items of a command in every menu bar and the context menu.
  std::vector<QAction*> MenuActions(int id) const;
  MenuBarKind CurrentMenuBar() const { return currentMenu_; }
  // The pop-up menus of a menu bar, in order.
  const std::vector<QMenu*>& Menus(MenuBarKind kind) const { return menus_.at(kind); }
  QMenu* BuildContextMenu(QWidget* parent);
  // Shows the menu bar of the active child window (call when one went away).
  void FollowActiveWindow();
  // Shows the active child window's title after the program's own:
  // "Dotforge V2.1.3 - TEST.DSB"; the program's title alone with none.
  void FollowActiveTitle();

  // The route of a command: active view, its document, the child frame, this
  // window, the application.
  CommandRoute Route() const;
  bool Execute(int id);
  void RefreshCommandStates();

  // Closes the window for good, once Exit has run every font set's close check.
  void CloseForExit();

  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateToolbars();
  void CreateStatusBar();
  void CreateMenus();
  void CreateAccelerators();
  QAction* CommandAction(int id, const QString& text, QObject* owner);
  QToolBar* MakeToolbar(const QString& title, std::span<const int> ids, Qt::ToolBarArea area);
  void ShowMenuBar(MenuBarKind kind);
  void OnSubWindowActivated(QMdiSubWindow* window);
  void ApplyState(QAction* action, const CommandState& state) const;
  void RefreshMenu(QMenu* menu);
  void RefreshLockIndicators();
  ChildContent* ActiveContent() const;
  void ArrangeIcons();

  CCmdTarget& application_;
  QMdiArea* mdiArea_ = nullptr;
  QToolBar* topToolbar_ = nullptr;
  QToolBar* leftToolbar_ = nullptr;
  QToolBar* glyphToolbar_ = nullptr;
  std::map<int, QAction*> toolbarActions_;
  std::multimap<int, QAction*> menuActions_;
  std::map<MenuBarKind, std::vector<QMenu*>> menus_;
  MenuBarKind currentMenu_ = MenuBarKind::NoDocument;
  QTimer idleTimer_;
  bool exitConfirmed_ = false;
  bool insideCloseEvent_ = false;
};

}  // namespace dotforge
