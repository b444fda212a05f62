#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "app/dialogs/small_dialogs.h"
#include "gui/gui_support.h"

namespace dotforge {
namespace {

TEST(DialogInteger, AcceptsSignedNumbersWithBlanks) {
  EXPECT_EQ(ParseDialogInteger("12"), 12);
  EXPECT_EQ(ParseDialogInteger(" -3 "), -3);
  EXPECT_EQ(ParseDialogInteger("+7"), 7);
  EXPECT_FALSE(ParseDialogInteger("").has_value());
  EXPECT_FALSE(ParseDialogInteger("1x").has_value());
  EXPECT_FALSE(ParseDialogInteger("99999999999").has_value());
}

TEST(AboutDialog, ShowsVersionAndBuild) {
  AboutDialog about;
  EXPECT_EQ(about.windowTitle(), "About Dotforge");
  EXPECT_EQ(about.findChild<QLabel*>("AboutText")->text(), "Dotforge V2.1.3  Build 103");
  about.show();
  test::SaveScreenshot(about, "dialog_about");
}

TEST(ReferenceLineDialog, ReturnsEditedValuesOnOk) {
  ReferenceLineDialog dialog({3, 4, false});
  EXPECT_EQ(dialog.windowTitle(), "Reference Line");
  EXPECT_EQ(dialog.HorizontalField()->text(), "3");
  EXPECT_EQ(dialog.ShowBox()->text(), "Show reference line :    ");
  dialog.show();
  test::SaveScreenshot(dialog, "dialog_reference_line");
  dialog.HorizontalField()->setText("-2");
  dialog.VerticalField()->setText("9");
  dialog.ShowBox()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Settings(), (ReferenceLineSettings{-2, 9, true}));
}

TEST(ReferenceLineDialog, RefusesTextThatIsNoInteger) {
  ReferenceLineDialog dialog({1, 2, true});
  dialog.show();
  dialog.VerticalField()->setText("abc");
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  dialog.accept();
  EXPECT_EQ(shown, "Please enter an integer.");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Settings(), (ReferenceLineSettings{1, 2, true}));
}

}  // namespace
}  // namespace dotforge
