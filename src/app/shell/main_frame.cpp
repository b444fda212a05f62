#include "app/shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/shell/command_icons.h"
#include "app/shell/command_ids.h"
#include "app/shell/command_table.h"
#include "app/shell/lock_keys.h"

namespace dotforge {
namespace {

constexpr int kIdleRefreshMs = 100;

QString Text(const char* text) { return QString::fromUtf8(text); }

}  // namespace

CMainFrame::CMainFrame(CCmdTarget& application) : application_(application) {
  setWindowTitle(kMainTitle);
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);
  CreateToolbars();
  CreateStatusBar();
  CreateMenus();
  CreateAccelerators();
  ShowMenuBar(MenuBarKind::NoDocument);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
  // Toolbar buttons follow the command states while the program is idle.
  connect(&idleTimer_, &QTimer::timeout, this, &CMainFrame::RefreshCommandStates);
  idleTimer_.start(kIdleRefreshMs);
}

CMainFrame::~CMainFrame() {
  // The child windows close with the area; the menus and title must not follow them then.
  disconnect(mdiArea_, nullptr, this, nullptr);
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) disconnect(window, nullptr, this, nullptr);
  idleTimer_.stop();
}

QAction* CMainFrame::CommandAction(int id, const QString& text, QObject* owner) {
  auto* action = new QAction(text, owner);
  action->setStatusTip(QString::fromStdString(StatusPrompt(id)));
  action->setToolTip(QString::fromStdString(ToolTip(id)));
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
  return action;
}

QToolBar* CMainFrame::MakeToolbar(const QString& title, std::span<const int> ids, Qt::ToolBarArea area) {
  auto* toolbar = new QToolBar(title, this);
  toolbar->setObjectName(title);
  toolbar->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
  toolbar->setAllowedAreas(Qt::AllToolBarAreas);
  toolbar->setMovable(true);
  toolbar->setFloatable(true);
  for (const int id : ids) {
    if (id == kSeparator) {
      toolbar->addSeparator();
      continue;
    }
    const CommandInfo* info = FindCommand(id);
    QAction* action = CommandAction(id, QString::fromStdString(ToolTip(id)), toolbar);
    action->setIcon(CommandIconImage(info ? info->icon : CommandIcon::None));
    toolbar->addAction(action);
    toolbarActions_[id] = action;
  }
  addToolBar(area, toolbar);
  return toolbar;
}

void CMainFrame::CreateToolbars() {
  topToolbar_ = MakeToolbar("Standard", dotforge::TopToolbar(), Qt::TopToolBarArea);
  leftToolbar_ = MakeToolbar("Edit", dotforge::LeftToolbar(), Qt::LeftToolBarArea);
  glyphToolbar_ = MakeToolbar("Glyph", dotforge::GlyphToolbar(), Qt::TopToolBarArea);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
    auto* label = new QLabel(indicator, bar);
    label->setEnabled(false);
    label->setObjectName(indicator);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("SCRL") + 10);
    bar->addPermanentWidget(label);
  }
  // The message pane: command prompts cover it while shown, "Ready" otherwise.
  auto* idle = new QLabel(kIdlePrompt, bar);
  idle->setObjectName("MessagePane");
  bar->addWidget(idle, 1);
}

void CMainFrame::CreateMenus() {
  for (const MenuBarKind kind : {MenuBarKind::NoDocument, MenuBarKind::FontSet, MenuBarKind::Editor}) {
    for (const PopupMenu& popup : MenuBar(kind)) {
      auto* menu = new QMenu(Text(popup.title), this);
      for (const MenuItem& item : popup.items) {
        if (item.id == kSeparator) {
          menu->addSeparator();
          continue;
        }
        QAction* action = CommandAction(item.id, Text(item.text), menu);
        menu->addAction(action);
        menuActions_.emplace(item.id, action);
      }
      connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshMenu(menu); });
      menus_[kind].push_back(menu);
    }
  }
}

QMenu* CMainFrame::BuildContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  for (const MenuItem& item : ContextMenu()) {
    if (item.id == kSeparator) {
      menu->addSeparator();
      continue;
    }
    menu->addAction(CommandAction(item.id, Text(item.text), menu));
  }
  RefreshMenu(menu);
  return menu;
}

void CMainFrame::CreateAccelerators() {
  for (const Accelerator& accelerator : Accelerators()) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(Text(accelerator.keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    const int id = accelerator.id;
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    addAction(action);
  }
}

void CMainFrame::ShowMenuBar(MenuBarKind kind) {
  currentMenu_ = kind;
  menuBar()->clear();
  for (QMenu* menu : menus_[kind]) menuBar()->addMenu(menu);
}

ChildContent* CMainFrame::ActiveContent() const {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  return window ? dynamic_cast<ChildContent*>(window->widget()) : nullptr;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  // A null activation also comes when the main window itself loses focus; the
  // menu only changes when no child window is left at all.
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  const bool anyShown = std::any_of(windows.begin(), windows.end(), [](QMdiSubWindow* w) { return w->isVisible(); });
  if (!window && anyShown) return;
  ChildContent* content = ActiveContent();
  ShowMenuBar(content ? content->Menu() : MenuBarKind::NoDocument);
  FollowActiveTitle();
  RefreshCommandStates();
}

void CMainFrame::FollowActiveTitle() {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  const bool shown = window && window->isVisible() && !window->windowTitle().isEmpty();
  // A maximised child window adds " - [its title]" to the program's title itself.
  const bool named = shown && !window->isMaximized();
  setWindowTitle(named ? QString("%1 - %2").arg(kMainTitle, window->windowTitle()) : QString(kMainTitle));
}

void CMainFrame::FollowActiveWindow() {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  OnSubWindowActivated(window && window->isVisible() ? window : nullptr);
}

CommandRoute CMainFrame::Route() const {
  ChildContent* content = ActiveContent();
  QMdiSubWindow* frame = mdiArea_->activeSubWindow();
  return CommandRoute({content ? content->ViewTarget() : nullptr, content ? content->DocumentTarget() : nullptr,
                       dynamic_cast<CCmdTarget*>(frame), const_cast<CMainFrame*>(this), &application_});
}

bool CMainFrame::Execute(int id) {
  const bool ran = Route().Execute(id);
  RefreshCommandStates();
  return ran;
}

void CMainFrame::ApplyState(QAction* action, const CommandState& state) const {
  action->setEnabled(state.enabled);
  action->setCheckable(state.check != CommandState::Check::None);
  action->setChecked(state.check == CommandState::Check::Checked);
  if (!state.text.empty()) action->setText(Text(state.text.c_str()));
}

void CMainFrame::RefreshMenu(QMenu* menu) {
  const CommandRoute route = Route();
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) ApplyState(action, route.Query(action->data().toInt()));
  }
}

void CMainFrame::RefreshCommandStates() {
  const CommandRoute route = Route();
  for (const auto& [id, action] : toolbarActions_) ApplyState(action, route.Query(id));
  RefreshLockIndicators();
}

void CMainFrame::RefreshLockIndicators() {
  const std::optional<LockKeyState> keys = ReadLockKeys();
  if (!keys) return;
  const std::pair<const char*, bool> indicators[] = {{"CAP", keys->caps}, {"NUM", keys->num}, {"SCRL", keys->scroll}};
  for (const auto& [name, on] : indicators) {
    if (auto* label = statusBar()->findChild<QLabel*>(name)) label->setEnabled(on);
  }
}

QAction* CMainFrame::ToolbarAction(int id) const {
  const auto found = toolbarActions_.find(id);
  return found == toolbarActions_.end() ? nullptr : found->second;
}

std::vector<QAction*> CMainFrame::MenuActions(int id) const {
  std::vector<QAction*> actions;
  const auto [first, last] = menuActions_.equal_range(id);
  for (auto it = first; it != last; ++it) actions.push_back(it->second);
  return actions;
}

bool CMainFrame::QueryCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kViewToolbar:
      state.check = topToolbar_->isVisible() ? CommandState::Check::Checked : CommandState::Check::Unchecked;
      return true;
    case cmd::kViewStatusBar:
      state.check = statusBar()->isVisible() ? CommandState::Check::Checked : CommandState::Check::Unchecked;
      return true;
    case cmd::kCascade:
    case cmd::kTile:
    case cmd::kArrangeIcons:
      return currentMenu_ != MenuBarKind::NoDocument;
    default:
      return false;
  }
}

void CMainFrame::OnCommand(int id) {
  switch (id) {
    case cmd::kViewToolbar:
      topToolbar_->setVisible(!topToolbar_->isVisible());
      break;
    case cmd::kViewStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      break;
    case cmd::kCascade:
      mdiArea_->cascadeSubWindows();
      break;
    case cmd::kTile:
      mdiArea_->tileSubWindows();
      break;
    case cmd::kArrangeIcons:
      ArrangeIcons();
      break;
    default:
      break;
  }
}

void CMainFrame::ArrangeIcons() {
  // Minimised windows are lined up along the bottom edge, left to right.
  int left = 0;
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    window->move(left, mdiArea_->viewport()->height() - size.height());
    left += size.width();
  }
}

void CMainFrame::CloseForExit() {
  exitConfirmed_ = true;
  if (!insideCloseEvent_) close();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // The close box runs Exit, so every font set gets its close check first.
  if (!exitConfirmed_) {
    insideCloseEvent_ = true;
    Execute(cmd::kExit);
    insideCloseEvent_ = false;
  }
  event->setAccepted(exitConfirmed_);
}

}  // namespace dotforge
