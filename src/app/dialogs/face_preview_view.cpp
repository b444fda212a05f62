#include "app/dialogs/face_preview_view.h"

#include <QPainter>
#include <algorithm>

namespace dotforge {
namespace {

constexpr int kMargin = 6;
constexpr int kGap = 10;
constexpr int kTargetCellHeight = 72;  // screen pixels a cell aims at
constexpr int kMinScale = 2;
constexpr int kMaxScale = 8;
constexpr int kSamplesShown = 5;
const QColor kDotColor(Qt::black);
const QColor kGridColor(220, 220, 220);
const QColor kBaselineColor(220, 0, 0);

bool Dot(const FacePreviewCell& cell, int width, int x, int y) {
  const std::size_t rowBytes = static_cast<std::size_t>((width + 7) / 8);
  const std::size_t index = static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8);
  return index < cell.dots.size() && ((cell.dots[index] >> (7 - x % 8)) & 1);
}

}  // namespace

FacePreviewView::FacePreviewView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FacePreviewView::SetPreview(FacePreview preview) {
  preview_ = std::move(preview);
  // The dialog grows to show every sample whole.
  setMinimumSize(sizeHint());
  updateGeometry();
  update();
}

int FacePreviewView::Scale() const {
  if (preview_.height <= 0) return kMinScale;
  return std::clamp(kTargetCellHeight / preview_.height, kMinScale, kMaxScale);
}

QSize FacePreviewView::sizeHint() const {
  const int scale = Scale();
  const int labelHeight = fontMetrics().height();
  const int width = kMargin * 2 + kSamplesShown * (std::max(preview_.width, 1) * scale + kGap);
  const int height = kMargin * 2 + std::max(preview_.height, 1) * scale + labelHeight + 2;
  return {width, std::max(height, kTargetCellHeight / 2)};
}

void FacePreviewView::PaintCell(QPainter& painter, const FacePreviewCell& cell, QPoint origin, int scale) const {
  const QRect frame(origin, QSize(preview_.width * scale, preview_.height * scale));
  painter.fillRect(frame, Qt::white);
  for (int y = 0; y < preview_.height; ++y) {
    for (int x = 0; x < preview_.width; ++x) {
      const QRect dot(origin.x() + x * scale, origin.y() + y * scale, scale, scale);
      if (Dot(cell, preview_.width, x, y)) {
        painter.fillRect(dot, kDotColor);
      } else if (scale >= 4) {
        painter.setPen(kGridColor);
        painter.drawRect(dot.adjusted(0, 0, -1, -1));
      }
    }
  }
  painter.setPen(QPen(kBaselineColor, 1));
  const int baselineY = origin.y() + preview_.baseline * scale;
  painter.drawLine(origin.x() - kGap / 2, baselineY, frame.right() + kGap / 2, baselineY);
  painter.setPen(cell.cut ? kBaselineColor : palette().color(QPalette::Mid));
  painter.drawRect(frame.adjusted(-1, -1, 0, 0));
  painter.setPen(palette().color(QPalette::WindowText));
  const QRect label(frame.left() - kGap / 2, frame.bottom() + 2, frame.width() + kGap, fontMetrics().height());
  painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(cell.label));
}

void FacePreviewView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!preview_.problem.empty() || preview_.cells.empty()) {
    painter.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(preview_.problem));
    return;
  }
  const int scale = Scale();
  QPoint origin(kMargin + kGap / 2, kMargin);
  for (const FacePreviewCell& cell : preview_.cells) {
    PaintCell(painter, cell, origin, scale);
    origin.rx() += preview_.width * scale + kGap;
  }
}

}  // namespace dotforge
