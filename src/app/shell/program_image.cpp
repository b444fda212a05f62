#include "app/shell/program_image.h"

#include <QPainter>

namespace dotforge {
namespace {

// A 7 x 9 dot-matrix "D", one string per row.
constexpr const char* kLetterD[] = {
    "#####..", "#....#.", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", "#....#.", "#####..",
};

}  // namespace

QPixmap ProgramImage(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const double margin = side / 16.0;
  painter.setPen(QPen(QColor(40, 40, 40), std::max(1.0, side / 32.0)));
  painter.setBrush(QColor(250, 250, 245));
  painter.drawRoundedRect(QRectF(margin, margin, side - 2 * margin, side - 2 * margin), side / 10.0, side / 10.0);
  const double pitch = (side - 4 * margin) / 9.0;
  const double left = (side - 7 * pitch) / 2;
  const double top = (side - 9 * pitch) / 2;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 20, 20));
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 7; ++column) {
      if (kLetterD[row][column] != '#') continue;
      painter.drawEllipse(QRectF(left + column * pitch + pitch * 0.1, top + row * pitch + pitch * 0.1, pitch * 0.8,
                                 pitch * 0.8));
    }
  }
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int side : {16, 32, 48, 64}) icon.addPixmap(ProgramImage(side));
  return icon;
}

}  // namespace dotforge
