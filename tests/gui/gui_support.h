#pragma once
// Helpers of the GUI tests: pictures of windows saved to build/screenshots/ for
// people to look at, what a window's menu bar shows, and a file dialog's own boxes.

#include <QString>
#include <QStringList>

class QFileDialog;
class QLineEdit;
class QMainWindow;
class QWidget;

namespace dotforge::test {

// Grabs `widget` and writes NAME.png into the screenshot folder; returns the path.
QString SaveScreenshot(QWidget& widget, const QString& name);

// The titles of the menu bar's pop-ups, in order.
QStringList MenuTitles(QMainWindow& window);

// Chooses entry `index` of a file dialog's type list as the user does.
void ChooseType(QFileDialog& dialog, int index);

// The file dialog's file-name box.
QLineEdit* FileNameBox(QFileDialog& dialog);

}  // namespace dotforge::test
