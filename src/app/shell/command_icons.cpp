#include "app/shell/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace dotforge {
namespace {

const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kAccent(0, 96, 192);
const QColor kGreen(0, 140, 60);
const QColor kRed(200, 30, 30);
const QColor kFolder(230, 180, 60);

void Page(QPainter& p, QRectF r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 3, r.top());
  path.lineTo(r.right(), r.top() + 3);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPath(path);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({to + u * 2, to - u * 3 + n * 3.5, to - u * 3 - n * 3.5}));
}

// A 4 x 4 grid of dots in the middle of the image, optionally with some pixels set.
void Grid(QPainter& p, QRectF r, std::initializer_list<QPoint> black = {}) {
  p.setPen(QPen(QColor(90, 110, 200), 1));
  p.setBrush(kPaper);
  const double s = r.width() / 4;
  for (int c = 0; c < 4; ++c) {
    for (int row = 0; row < 4; ++row) p.drawRect(QRectF(r.left() + c * s, r.top() + row * s, s, s));
  }
  p.setBrush(kInk);
  for (const QPoint& cell : black) p.drawRect(QRectF(r.left() + cell.x() * s, r.top() + cell.y() * s, s, s));
}

void Pencil(QPainter& p, QPointF tip) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({tip, tip + QPointF(2, -5), tip + QPointF(10, -13), tip + QPointF(13, -10),
                           tip + QPointF(5, -2)}));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({tip, tip + QPointF(1, -3), tip + QPointF(3, -1)}));
}

void PlusMinus(QPainter& p, QPointF centre, bool plus, const QColor& color) {
  p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(centre + QPointF(-3, 0), centre + QPointF(3, 0));
  if (plus) p.drawLine(centre + QPointF(0, -3), centre + QPointF(0, 3));
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(7, 8), 5, 5);
  p.drawLine(QPointF(11, 12), QPointF(15, 17));
  PlusMinus(p, QPointF(7, 8), plus, kInk);
}

// A band (row or column) of dark cells with a sign next to it.
void RowOrColumn(QPainter& p, bool row, bool add) {
  Grid(p, QRectF(0.5, 4.5, 12, 12));
  p.setPen(Qt::NoPen);
  p.setBrush(add ? kGreen : kRed);
  p.drawRect(row ? QRectF(0.5, 10.5, 12, 3) : QRectF(6.5, 4.5, 3, 12));
  PlusMinus(p, QPointF(13, 3.5), add, add ? kGreen : kRed);
}

// A turning arrow, clockwise or (mirrored) counter-clockwise, with a small
// glyph corner inside showing the quarter turn.
void TurnArrow(QPainter& p, bool left) {
  p.save();
  if (left) {
    p.translate(kToolbarImageWidth, 0);
    p.scale(-1, 1);
  }
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(2, 4, 12, 12), 90 * 16, -270 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({{8, 1}, {12, 4}, {8, 7}}));
  p.setBrush(kAccent);
  p.drawRect(QRectF(6, 8, 2, 4));
  p.drawRect(QRectF(6, 11, 4, 1.5));
  p.restore();
}

// Two mirrored half glyphs with the mirror line between them.
void Mirror(QPainter& p, bool horizontal) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  if (horizontal) {
    p.drawPolygon(QPolygonF({{1, 16}, {6, 4}, {6, 16}}));
    p.setBrush(QColor(150, 150, 150));
    p.drawPolygon(QPolygonF({{15, 16}, {10, 4}, {10, 16}}));
    p.setPen(QPen(kAccent, 1, Qt::DashLine));
    p.drawLine(QPointF(8, 1), QPointF(8, 19));
  } else {
    p.drawPolygon(QPolygonF({{2, 1}, {14, 8}, {2, 8}}));
    p.setBrush(QColor(150, 150, 150));
    p.drawPolygon(QPolygonF({{2, 19}, {14, 12}, {2, 12}}));
    p.setPen(QPen(kAccent, 1, Qt::DashLine));
    p.drawLine(QPointF(0, 10), QPointF(16, 10));
  }
}

void Draw(QPainter& p, CommandIcon icon) {
  switch (icon) {
    case CommandIcon::New:
      Page(p, QRectF(2.5, 2.5, 11, 15));
      break;
    case CommandIcon::Open:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kFolder);
      p.drawPolygon(QPolygonF({{0.5, 5.5}, {5.5, 5.5}, {7.5, 7.5}, {14.5, 7.5}, {14.5, 16.5}, {0.5, 16.5}}));
      Arrow(p, QPointF(11, 12), QPointF(11, 2), kAccent);
      break;
    case CommandIcon::Save:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kAccent);
      p.drawRect(QRectF(1.5, 3.5, 13, 13));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 3.5, 7, 5));
      p.drawRect(QRectF(3.5, 11.5, 9, 5));
      break;
    case CommandIcon::Copy:
      Page(p, QRectF(0.5, 1.5, 9, 12));
      Page(p, QRectF(5.5, 6.5, 9, 12));
      break;
    case CommandIcon::Paste:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kFolder);
      p.drawRect(QRectF(1.5, 3.5, 11, 14));
      p.setBrush(kInk);
      p.drawRect(QRectF(4.5, 2.5, 5, 2));
      Page(p, QRectF(6.5, 8.5, 8, 10));
      break;
    case CommandIcon::Edit:
      Grid(p, QRectF(0.5, 6.5, 12, 12), {{0, 0}, {1, 1}, {2, 2}});
      Pencil(p, QPointF(5, 14));
      break;
    case CommandIcon::Add:
      Page(p, QRectF(1.5, 4.5, 9, 13));
      PlusMinus(p, QPointF(12, 5), true, kGreen);
      break;
    case CommandIcon::Delete:
      Page(p, QRectF(1.5, 4.5, 9, 13));
      p.setPen(QPen(kRed, 2));
      p.drawLine(QPointF(9, 2), QPointF(15, 8));
      p.drawLine(QPointF(15, 2), QPointF(9, 8));
      break;
    case CommandIcon::DoubleSize:
      Grid(p, QRectF(0.5, 10.5, 6, 6), {{1, 1}, {2, 2}});
      Grid(p, QRectF(5.5, 2.5, 10, 10), {{1, 1}, {2, 2}});
      break;
    case CommandIcon::Download:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(0.5, 11.5, 15, 6));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3.5, 15.5, 9, 4));
      Arrow(p, QPointF(8, 0), QPointF(8, 8), kAccent);
      break;
    case CommandIcon::Properties:
      Page(p, QRectF(1.5, 2.5, 12, 15));
      p.setPen(QPen(kAccent, 1));
      for (int y = 6; y <= 14; y += 3) p.drawLine(QPointF(4, y + 0.5), QPointF(11, y + 0.5));
      break;
    case CommandIcon::PenEdit:
      Pencil(p, QPointF(2, 18));
      break;
    case CommandIcon::ClearEdit:
      Grid(p, QRectF(1.5, 4.5, 12, 12));
      p.setPen(QPen(kRed, 1.5));
      p.drawLine(QPointF(11, 1), QPointF(15, 5));
      p.drawLine(QPointF(15, 1), QPointF(11, 5));
      break;
    case CommandIcon::ShiftUp:
      Arrow(p, QPointF(8, 18), QPointF(8, 4), kInk);
      break;
    case CommandIcon::ShiftDown:
      Arrow(p, QPointF(8, 2), QPointF(8, 16), kInk);
      break;
    case CommandIcon::ShiftLeft:
      Arrow(p, QPointF(15, 10), QPointF(3, 10), kInk);
      break;
    case CommandIcon::ShiftRight:
      Arrow(p, QPointF(1, 10), QPointF(13, 10), kInk);
      break;
    case CommandIcon::Rotate: {
      p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2, 4, 12, 12), 90 * 16, -270 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      p.drawPolygon(QPolygonF({{8, 1}, {12, 4}, {8, 7}}));
      break;
    }
    case CommandIcon::Undo:
    case CommandIcon::Redo: {
      // A curved arrow turning back to the left (Undo) or on to the right (Redo).
      const bool undo = icon == CommandIcon::Undo;
      p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::FlatCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath path;
      path.moveTo(undo ? 13 : 3, 15);
      path.cubicTo(undo ? 15 : 1, 8, undo ? 9 : 7, 5, undo ? 5 : 11, 7);
      p.drawPath(path);
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawPolygon(undo ? QPolygonF({{1, 7}, {7, 3}, {7, 11}}) : QPolygonF({{15, 7}, {9, 3}, {9, 11}}));
      break;
    }
    case CommandIcon::AddRow:
      RowOrColumn(p, true, true);
      break;
    case CommandIcon::AddColumn:
      RowOrColumn(p, false, true);
      break;
    case CommandIcon::DeleteRow:
      RowOrColumn(p, true, false);
      break;
    case CommandIcon::DeleteColumn:
      RowOrColumn(p, false, false);
      break;
    case CommandIcon::ZoomIn:
      Magnifier(p, true);
      break;
    case CommandIcon::ZoomOut:
      Magnifier(p, false);
      break;
    case CommandIcon::ReferenceLine:
      Grid(p, QRectF(1.5, 4.5, 12, 12));
      p.setPen(QPen(kRed, 2));
      p.drawLine(QPointF(1.5, 10.5), QPointF(13.5, 10.5));
      p.drawLine(QPointF(7.5, 4.5), QPointF(7.5, 16.5));
      break;
    case CommandIcon::Cut:
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4.5, 15.5), 2.5, 2.5);
      p.drawEllipse(QPointF(11.5, 15.5), 2.5, 2.5);
      p.drawLine(QPointF(6, 13), QPointF(12, 2));
      p.drawLine(QPointF(10, 13), QPointF(4, 2));
      break;
    case CommandIcon::FlipHorizontal:
      Mirror(p, true);
      break;
    case CommandIcon::FlipVertical:
      Mirror(p, false);
      break;
    case CommandIcon::Invert:
      Grid(p, QRectF(1.5, 4.5, 12, 12), {{0, 0}, {2, 0}, {1, 1}, {3, 1}, {0, 2}, {2, 2}, {1, 3}, {3, 3}});
      break;
    case CommandIcon::RotateLeft:
      TurnArrow(p, true);
      break;
    case CommandIcon::RotateRight:
      TurnArrow(p, false);
      break;
    case CommandIcon::Line:
      p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(2, 17), QPointF(14, 3));
      break;
    case CommandIcon::Rectangle:
    case CommandIcon::FilledRectangle:
      p.setPen(QPen(kInk, 2));
      p.setBrush(icon == CommandIcon::FilledRectangle ? QBrush(kInk) : QBrush(Qt::NoBrush));
      p.drawRect(QRectF(2, 5, 12, 10));
      break;
    case CommandIcon::Ellipse:
      p.setPen(QPen(kInk, 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(1.5, 4.5, 13, 11));
      break;
    case CommandIcon::FloodFill: {
      // A tipped bucket pouring ink.
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawPolygon(QPolygonF({{3, 8}, {9, 2}, {15, 8}, {9, 14}}));
      p.setPen(Qt::NoPen);
      p.setBrush(kAccent);
      p.drawPolygon(QPolygonF({{3, 8}, {15, 8}, {9, 14}}));
      p.drawEllipse(QRectF(1, 10, 3, 8));
      break;
    }
    case CommandIcon::Select:
      p.setPen(QPen(kInk, 1, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(1.5, 3.5, 13, 13));
      break;
    case CommandIcon::None:
      break;
  }
}

}  // namespace

QIcon CommandIconImage(CommandIcon icon) {
  QPixmap pixmap(kToolbarImageWidth, kToolbarImageHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  Draw(painter, icon);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace dotforge
