#pragma once
// Saves pictures of windows to build/screenshots/ for people to look at.

#include <QString>

class QWidget;

namespace dotforge::test {

// Grabs `widget` and writes NAME.png into the screenshot folder; returns the path.
QString SaveScreenshot(QWidget& widget, const QString& name);

}  // namespace dotforge::test
