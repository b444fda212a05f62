#include "framework/qt/scroll_view.h"

#include <QScrollBar>
#include <cstdlib>

namespace dotforge {
namespace {

QSize Absolute(QSize size) { return QSize(std::abs(size.width()), std::abs(size.height())); }

int OrTenth(int step, int whole) { return step != 0 ? step : std::max(1, whole / 10); }

}  // namespace

CScrollView::CScrollView(QWidget* parent) : QAbstractScrollArea(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CScrollView::SetScrollSizes(QSize canvas, QSize page, QSize line) {
  canvas_ = Absolute(canvas);
  page_ = Absolute(page);
  page_ = QSize(OrTenth(page_.width(), canvas_.width()), OrTenth(page_.height(), canvas_.height()));
  line_ = Absolute(line);
  line_ = QSize(OrTenth(line_.width(), page_.width()), OrTenth(line_.height(), page_.height()));
  UpdateScrollBars();
}

void CScrollView::UpdateScrollBars() {
  const QSize client = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, canvas_.width() - client.width()));
  verticalScrollBar()->setRange(0, std::max(0, canvas_.height() - client.height()));
  horizontalScrollBar()->setPageStep(page_.width());
  verticalScrollBar()->setPageStep(page_.height());
  horizontalScrollBar()->setSingleStep(line_.width());
  verticalScrollBar()->setSingleStep(line_.height());
}

QPoint CScrollView::ScrollPosition() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CScrollView::ScrollTo(QPoint position) {
  horizontalScrollBar()->setValue(position.x());
  verticalScrollBar()->setValue(position.y());
}

void CScrollView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

}  // namespace dotforge
