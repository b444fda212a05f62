#pragma once
// Helpers of the GUI tests: pictures of windows saved to build/screenshots/ for
// people to look at, and what a window's menu bar shows.

#include <QString>
#include <QStringList>

class QMainWindow;
class QWidget;

namespace dotforge::test {

// Grabs `widget` and writes NAME.png into the screenshot folder; returns the path.
QString SaveScreenshot(QWidget& widget, const QString& name);

// The titles of the menu bar's pop-ups, in order.
QStringList MenuTitles(QMainWindow& window);

}  // namespace dotforge::test
