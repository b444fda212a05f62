// Runs the GUI tests on Qt's offscreen platform, so they need no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The program's settings go to a file of the test's own, never the user's.
  QTemporaryDir settings;
  qputenv("DOTFORGE_SETTINGS_FILE", settings.filePath("settings.conf").toUtf8());
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
