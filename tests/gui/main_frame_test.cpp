#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"
#include "app/shell/main_frame.h"
#include "gui/gui_support.h"

namespace dotforge {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { app_.Start(StartOptions{false}); }
  CMainFrame& Frame() { return app_.MainFrame(); }

  CDotforgeApp app_;
};

TEST_F(MainFrameTest, StartsWithTheNoDocumentMenu) {
  EXPECT_EQ(Frame().windowTitle(), "Dotforge V2.1.3");
  EXPECT_EQ(test::MenuTitles(Frame()), (QStringList{"&File", "&View", "&Download", "&Help"}));
  EXPECT_EQ(Frame().CurrentMenuBar(), MenuBarKind::NoDocument);
  EXPECT_EQ(Frame().statusBar()->findChild<QLabel*>("MessagePane")->text(), "Ready");
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
    EXPECT_NE(Frame().statusBar()->findChild<QLabel*>(indicator), nullptr) << indicator;
  }
  test::SaveScreenshot(Frame(), "main_window_no_document");
}

TEST_F(MainFrameTest, ToolbarsCarryTheirCommandsWithTips) {
  QAction* save = Frame().ToolbarAction(cmd::kSave);
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->toolTip(), "Save Dotforge Format");
  EXPECT_EQ(save->statusTip(), "Save Dotforge Format");
  EXPECT_FALSE(save->icon().isNull());
  EXPECT_EQ(Frame().TopToolbar()->iconSize(), QSize(16, 20));
  EXPECT_EQ(Frame().ToolbarAction(cmd::kShiftDown)->toolTip(), "Shift Area Down");
  EXPECT_EQ(Frame().TopToolbar()->allowedAreas(), Qt::AllToolBarAreas);
  EXPECT_TRUE(Frame().LeftToolbar()->isFloatable());
  EXPECT_EQ(Frame().toolBarArea(Frame().LeftToolbar()), Qt::LeftToolBarArea);
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreDisabled) {
  Frame().RefreshCommandStates();
  // No document: Save and the editing commands have no handler on the route.
  EXPECT_FALSE(Frame().ToolbarAction(cmd::kSave)->isEnabled());
  EXPECT_FALSE(Frame().ToolbarAction(cmd::kZoomIn)->isEnabled());
  EXPECT_FALSE(Frame().Route().Query(cmd::kUndo).enabled);
  EXPECT_TRUE(Frame().Route().Query(cmd::kAbout).enabled);
}

TEST_F(MainFrameTest, ViewToolbarAndStatusBarToggleWithCheckMarks) {
  EXPECT_EQ(Frame().Route().Query(cmd::kViewStatusBar).check, CommandState::Check::Checked);
  ASSERT_TRUE(Frame().Execute(cmd::kViewStatusBar));
  EXPECT_FALSE(Frame().statusBar()->isVisible());
  EXPECT_EQ(Frame().Route().Query(cmd::kViewStatusBar).check, CommandState::Check::Unchecked);
  ASSERT_TRUE(Frame().Execute(cmd::kViewToolbar));
  EXPECT_FALSE(Frame().TopToolbar()->isVisible());
  EXPECT_TRUE(Frame().LeftToolbar()->isVisible());
}

TEST_F(MainFrameTest, ExitClosesTheMainWindow) {
  ASSERT_TRUE(Frame().isVisible());
  Frame().close();
  EXPECT_FALSE(Frame().isVisible());
}

}  // namespace
}  // namespace dotforge
