#include "app/editor/edit_cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace dotforge {
namespace {

constexpr int kSide = 32;

QPixmap Canvas() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A black arrow with a white outline, pointing from `tail` to `tip`.
QPixmap Arrow(QPointF tail, QPointF tip) {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF along = (tip - tail) / std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
  const QPointF across(-along.y(), along.x());
  const QPointF neck = tip - along * 7;
  const QPolygonF shape({tail + across * 2, neck + across * 2, neck + across * 6, tip, neck - across * 6,
                         neck - across * 2, tail - across * 2});
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(Qt::black);
  painter.drawPolygon(shape);
  return pixmap;
}

}  // namespace

QCursor PenCursor() {
  QPixmap pixmap = Canvas();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF tip(12, 24);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(QColor(240, 200, 80));
  painter.drawPolygon(QPolygonF({tip + QPointF(3, -6), tip + QPointF(16, -19), tip + QPointF(21, -14),
                                 tip + QPointF(8, -1)}));
  painter.setBrush(QColor(250, 220, 180));
  painter.drawPolygon(QPolygonF({tip, tip + QPointF(3, -6), tip + QPointF(8, -1)}));
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF({tip, tip + QPointF(1.2, -2.5), tip + QPointF(2.5, -1.2)}));
  painter.end();
  return QCursor(pixmap, 12, 24);
}

QCursor ColumnCursor() { return QCursor(Arrow(QPointF(15, 3), QPointF(15, 22)), 15, 21); }

QCursor RowCursor() { return QCursor(Arrow(QPointF(4, 15), QPointF(24, 15)), 23, 15); }

}  // namespace dotforge
