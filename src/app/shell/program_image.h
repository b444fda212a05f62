#pragma once
// The program's picture: a printer cell with a dot-matrix "D", drawn at any size.
// Used for the window icon, the About box and the start-up window.

#include <QIcon>
#include <QPixmap>

namespace dotforge {

QPixmap ProgramImage(int side);
QIcon ProgramIcon();

}  // namespace dotforge
