#pragma once
// The desktop program started without its splash window, with helpers that put a
// font set on screen and find the active view: the base of the GUI tests that
// work through the application's windows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "app/shell/dotforge_app.h"
#include "app/editor/edit_view.h"
#include "app/shell/main_frame.h"
#include "support/test_files.h"

namespace dotforge::test {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override { app_.Start(StartOptions{false}); }

  CMainFrame& Frame() { return app_.MainFrame(); }

  // A font set of `codes` with its first character selected, shown in its window.
  CDotforgeImportDoc& OpenFontSet(std::int32_t width, std::int32_t height, const std::vector<std::int32_t>& codes,
                                  const std::string& title = "TEST.DSB") {
    auto fontSet = MakeFontSet(width, height, codes);
    fontSet->SetTitle(title);
    fontSet->SelectFirst();
    CDotforgeImportDoc& doc = app_.Core().AddFontSet(std::move(fontSet));
    QApplication::processEvents();
    return doc;
  }

  template <typename View>
  View* ActiveView() {
    QMdiSubWindow* window = Frame().MdiArea()->activeSubWindow();
    return window ? dynamic_cast<View*>(window->widget()) : nullptr;
  }

  // A drag with the left button along `row` of an editor's grid, from column
  // `first` to `last`: one stroke.
  static void DragAlongRow(CDotforgeEditView& editor, int row, int first, int last) {
    QWidget* canvas = editor.viewport();
    const int s = editor.CellSize();
    const auto centre = [s](int column, int atRow) { return QPoint(2 * s + column * s + s / 2, 2 * s + atRow * s + s / 2); };
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, centre(first, row));
    for (int column = first + 1; column <= last; ++column) {
      QMouseEvent move(QEvent::MouseMove, centre(column, row), canvas->mapToGlobal(centre(column, row)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, centre(last, row));
  }

  CDotforgeApp app_;
};

// The application with its main window shown and active, as a user has it, so
// that keys reach the focused window.
class ShownAppTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Frame().show();
    Frame().activateWindow();
    QApplication::processEvents();
  }
};

}  // namespace dotforge::test
