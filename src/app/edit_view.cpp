#include "app/edit_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstdint>
#include <optional>

#include "app/command_ids.h"
#include "app/edit_cursors.h"

namespace dotforge {
namespace {

const QColor kCellOutline(0, 0, 255);
const QColor kReferenceLine(255, 0, 0);

}  // namespace

int ZoomedIn(int cellSize) { return std::min(kLargestCellSize, static_cast<int>(cellSize * 1.2)); }

int ZoomedOut(int cellSize) { return std::max(kSmallestCellSize, static_cast<int>(cellSize * 0.8333333333333334)); }

CDotforgeEditView::CDotforgeEditView(CDotforgeEditDoc& document, ViewHost& host, QWidget* parent)
    : CScrollView(parent), document_(&document), host_(host), referenceLines_(host.ReferenceLines()) {
  viewport()->setMouseTracking(false);
  listener_ = document.AddUpdateListener([this] { viewport()->update(); });
  UpdateScrollSizes();
  UpdateCursor();
}

CDotforgeEditView::~CDotforgeEditView() { Detach(); }

void CDotforgeEditView::Detach() {
  if (document_) document_->RemoveUpdateListener(listener_);
  document_ = nullptr;
}

CCmdTarget* CDotforgeEditView::DocumentTarget() { return document_ ? host_.DocumentTarget(*document_) : nullptr; }

QSize CDotforgeEditView::FrameSize() const {
  return QSize((document_->Width() + 6) * cellSize_, (document_->Height() + 6) * cellSize_);
}

void CDotforgeEditView::UpdateScrollSizes() {
  const int s = cellSize_;
  SetScrollSizes(QSize((document_->Width() + 4) * s, (document_->Height() + 4) * s), QSize(10 * s, 10 * s),
                 QSize(s, s));
}

QPoint CDotforgeEditView::CellAt(QPoint client) const {
  const QPoint p = ToCanvas(client);
  const int origin = 2 * cellSize_;
  // Integer division truncates toward zero, as the grid's mouse mapping expects.
  return QPoint((p.x() - origin) / cellSize_, (p.y() - origin) / cellSize_);
}

bool CDotforgeEditView::InsideGrid(QPoint client) const {
  const QPoint p = ToCanvas(client);
  const int origin = 2 * cellSize_;
  return p.x() >= origin && p.x() < origin + document_->Width() * cellSize_ && p.y() >= origin &&
         p.y() < origin + document_->Height() * cellSize_;
}

void CDotforgeEditView::paintEvent(QPaintEvent*) {
  if (!document_) return;
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  painter.translate(-ScrollPosition());
  const int s = cellSize_;
  const int origin = 2 * s;
  const PixelGrid& grid = document_->Grid();
  const int width = std::min(document_->Width(), grid.Width());
  const int height = std::min(document_->Height(), grid.Height());
  for (int column = 0; column < width; ++column) {
    for (int row = 0; row < height; ++row) {
      const bool black = grid.At(column, row) == kBlackPixel;
      painter.setPen(black ? Qt::black : kCellOutline);
      painter.setBrush(black ? Qt::black : Qt::white);
      // Neighbouring cells share their one-pixel border line.
      painter.drawRect(origin + column * s, origin + row * s, s, s);
    }
  }
  if (referenceLines_.show) DrawReferenceLines(painter);
  UpdateScrollSizes();
}

void CDotforgeEditView::DrawReferenceLines(QPainter& painter) const {
  // Any row and column are accepted: positions are worked out in 64 bits, and a
  // line that falls beyond the canvas is not drawn at all.
  const int s = cellSize_;
  const int origin = 2 * s;
  const int right = origin + document_->Width() * s;
  const int bottom = origin + document_->Height() * s;
  const auto onCanvas = [s](std::int64_t cells, int glyphCells) -> std::optional<int> {
    const std::int64_t at = 2 * std::int64_t{s} + cells * s;
    if (at < 0 || at > (std::int64_t{glyphCells} + 4) * s) return std::nullopt;
    return static_cast<int>(at);
  };
  painter.setPen(QPen(kReferenceLine, 2));
  if (const std::optional<int> y = onCanvas(referenceLines_.row, document_->Height())) {
    painter.drawLine(origin + 1, *y, right - 1, *y);
  }
  if (const std::optional<int> x = onCanvas(referenceLines_.column, document_->Width())) {
    painter.drawLine(*x, origin + 1, *x, bottom - 1);
  }
}

void CDotforgeEditView::mousePressEvent(QMouseEvent* event) {
  if (!document_ || event->button() != Qt::LeftButton) return;
  const QPoint position = event->position().toPoint();
  const QPoint cell = CellAt(position);
  if (document_->ModeClick(cell.x(), cell.y())) {
    UpdateCursor();
  } else if (InsideGrid(position)) {
    PixelGrid& grid = document_->Grid();
    penValue_ = grid.At(cell.x(), cell.y()) == kWhitePixel ? kBlackPixel : kWhitePixel;
    grid.Set(cell.x(), cell.y(), penValue_);
    viewport()->update();
  }
  lastPosition_ = position;
}

void CDotforgeEditView::mouseMoveEvent(QMouseEvent* event) {
  if (!document_) return;
  const EditModes& modes = document_->Modes();
  if (modes.addRow || modes.addColumn) return;
  const QPoint position = event->position().toPoint();
  if ((event->buttons() & Qt::LeftButton) && InsideGrid(position) && CellAt(position) != CellAt(lastPosition_)) {
    const QPoint cell = CellAt(position);
    document_->Grid().Set(cell.x(), cell.y(), penValue_);
    viewport()->update();
  }
  lastPosition_ = position;
}

void CDotforgeEditView::mouseReleaseEvent(QMouseEvent* event) {
  if (document_ && event->button() == Qt::LeftButton) document_->WriteBack();
}

void CDotforgeEditView::UpdateCursor() {
  const EditModes& modes = document_->Modes();
  // The last cursor that applies wins; with nothing on, the cursor stays.
  if (modes.pen) viewport()->setCursor(PenCursor());
  if (modes.addColumn || modes.deleteColumn) viewport()->setCursor(ColumnCursor());
  if (modes.addRow || modes.deleteRow) viewport()->setCursor(RowCursor());
}

void CDotforgeEditView::EditReferenceLines() {
  ReferenceLineDialog dialog(host_.ReferenceLines(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  referenceLines_ = dialog.Settings();
  host_.ReferenceLines() = referenceLines_;
  document_->UpdateAllViews();
}

bool CDotforgeEditView::QueryCommand(int id, CommandState& state) {
  if (!document_) return false;
  const EditModes& modes = document_->Modes();
  const auto check = [&state](bool on) {
    state.check = on ? CommandState::Check::Checked : CommandState::Check::Unchecked;
    return true;
  };
  switch (id) {
    case cmd::kAddRow:
      return check(modes.addRow);
    case cmd::kAddColumn:
      return check(modes.addColumn);
    case cmd::kDeleteRow:
      return check(modes.deleteRow);
    case cmd::kDeleteColumn:
      return check(modes.deleteColumn);
    case cmd::kPenEdit:
      return check(modes.pen);
    case cmd::kShiftDown:
    case cmd::kShiftUp:
    case cmd::kShiftRight:
    case cmd::kShiftLeft:
    case cmd::kClearEdit:
    case cmd::kZoomIn:
    case cmd::kZoomOut:
    case cmd::kReferenceLine:
      return true;
    default:
      return false;
  }
}

void CDotforgeEditView::OnCommand(int id) {
  switch (id) {
    case cmd::kShiftDown:
      document_->ShiftArea(ShiftDirection::Down);
      break;
    case cmd::kShiftUp:
      document_->ShiftArea(ShiftDirection::Up);
      break;
    case cmd::kShiftRight:
      document_->ShiftArea(ShiftDirection::Right);
      break;
    case cmd::kShiftLeft:
      document_->ShiftArea(ShiftDirection::Left);
      break;
    case cmd::kAddRow:
      document_->ToggleAddRow();
      break;
    case cmd::kAddColumn:
      document_->ToggleAddColumn();
      break;
    case cmd::kDeleteRow:
      document_->ToggleDeleteRow();
      break;
    case cmd::kDeleteColumn:
      document_->ToggleDeleteColumn();
      break;
    case cmd::kPenEdit:
      document_->TogglePen();
      break;
    case cmd::kClearEdit:
      document_->ClearEdit();
      break;
    case cmd::kZoomIn:
      cellSize_ = ZoomedIn(cellSize_);
      break;
    case cmd::kZoomOut:
      cellSize_ = ZoomedOut(cellSize_);
      break;
    case cmd::kReferenceLine:
      EditReferenceLines();
      break;
    default:
      break;
  }
  UpdateCursor();
  viewport()->update();
}

}  // namespace dotforge
