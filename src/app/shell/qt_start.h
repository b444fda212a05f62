#pragma once
// Starting Qt. Where no display can be opened, Qt's platform plugin would abort
// the process; the program says what is missing and exits with status 1 instead.

#include <QApplication>
#include <memory>

namespace dotforge {

// The application object; without a display, prints why and ends the process (status 1).
std::unique_ptr<QApplication> StartQtOrExit(int& argc, char** argv);

}  // namespace dotforge
