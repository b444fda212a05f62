#include "app/editor/edit_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdint>
#include <optional>

#include "app/editor/clipboard_dots.h"
#include "app/shell/command_ids.h"
#include "app/editor/dots_mime.h"
#include "app/editor/edit_cursors.h"

namespace dotforge {
namespace {

const QColor kCellOutline(0, 0, 255);
const QColor kReferenceLine(255, 0, 0);
const QColor kSelectionDash(0, 0, 0);
const QColor kSelectionGap(255, 255, 255);

std::int32_t FloorDiv(std::int32_t value, std::int32_t divisor) {
  const std::int32_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

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

GridPoint CDotforgeEditView::DotAt(QPoint client) const {
  const QPoint p = ToCanvas(client);
  const int origin = 2 * cellSize_;
  return GridPoint{FloorDiv(p.x() - origin, cellSize_), FloorDiv(p.y() - origin, cellSize_)};
}

std::uint8_t CDotforgeEditView::DotValue(GridPoint dot) const {
  const PixelGrid& grid = document_->Grid();
  return grid.Contains(dot.column, dot.row) ? grid.At(dot.column, dot.row) : kWhitePixel;
}

void CDotforgeEditView::paintEvent(QPaintEvent*) {
  if (!document_) return;
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  painter.translate(-ScrollPosition());
  if (drag_ == Drag::Shape) {
    // The shape under way is drawn on a copy: the glyph changes only at the release.
    PixelGrid preview = document_->Grid();
    DrawShapeOn(preview, *ShapeOfTool(tool_), dragStart_, dragEnd_, shapeValue_);
    DrawCells(painter, preview);
  } else {
    DrawCells(painter, document_->Grid());
  }
  if (referenceLines_.show) DrawReferenceLines(painter);
  DrawSelection(painter);
  UpdateScrollSizes();
}

void CDotforgeEditView::DrawCells(QPainter& painter, const PixelGrid& grid) const {
  const int s = cellSize_;
  const int origin = 2 * s;
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
}

void CDotforgeEditView::DrawSelection(QPainter& painter) const {
  const DotRect area = drag_ == Drag::Marking
                           ? ClipRect(RectBetween(dragStart_, dragEnd_), document_->Width(), document_->Height())
                           : document_->Selection().Area();
  if (area.Empty()) return;
  const int s = cellSize_;
  const QRect outline(2 * s + area.column * s, 2 * s + area.row * s, area.width * s, area.height * s);
  // Dashes over a solid line of the other colour show on black and white dots alike.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kSelectionGap, 2));
  painter.drawRect(outline);
  painter.setPen(QPen(kSelectionDash, 2, Qt::DashLine));
  painter.drawRect(outline);
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
  if (!document_ || drag_ != Drag::None) return;
  const Qt::MouseButton button = event->button();
  const QPoint position = event->position().toPoint();
  lastPosition_ = position;
  const GridPoint dot = DotAt(position);
  if (button == Qt::LeftButton && document_->ModeClick(dot.column, dot.row)) {
    UpdateCursor();
    return;
  }
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  if (tool_ == EditTool::Pen) {
    if (button == Qt::LeftButton) PressPen(position);
  } else if (tool_ == EditTool::FloodFill) {
    document_->Fill(dot, ToolValue(DotValue(dot), button));
  } else if (tool_ == EditTool::Select) {
    if (button == Qt::LeftButton) PressSelect(dot);
  } else {
    drag_ = Drag::Shape;
    dragButton_ = button;
    dragStart_ = dragEnd_ = dot;
    shapeValue_ = ToolValue(DotValue(dot), button);
    viewport()->update();
  }
}

void CDotforgeEditView::PressPen(QPoint position) {
  if (!InsideGrid(position)) return;
  const QPoint cell = CellAt(position);
  PixelGrid& grid = document_->Grid();
  penValue_ = grid.At(cell.x(), cell.y()) == kWhitePixel ? kBlackPixel : kWhitePixel;
  grid.Set(cell.x(), cell.y(), penValue_);
  viewport()->update();
}

void CDotforgeEditView::PressSelect(GridPoint dot) {
  dragButton_ = Qt::LeftButton;
  dragStart_ = dragEnd_ = dot;
  if (document_->Selection().Area().Contains(dot)) {
    const DotRect area = document_->Selection().Area();
    moveOrigin_ = GridPoint{area.column, area.row};
    drag_ = Drag::Moving;
    return;
  }
  document_->DropSelection();
  drag_ = Drag::Marking;
  viewport()->update();
}

void CDotforgeEditView::mouseMoveEvent(QMouseEvent* event) {
  if (!document_) return;
  const QPoint position = event->position().toPoint();
  const GridPoint dot = DotAt(position);
  switch (drag_) {
    case Drag::Shape:
    case Drag::Marking:
      if (dot == dragEnd_) return;
      dragEnd_ = dot;
      viewport()->update();
      return;
    case Drag::Moving:
      if (dot == dragEnd_) return;
      dragEnd_ = dot;
      document_->MoveSelectionTo(GridPoint{moveOrigin_.column + dot.column - dragStart_.column,
                                           moveOrigin_.row + dot.row - dragStart_.row});
      return;
    case Drag::None:
      break;
  }
  const EditModes& modes = document_->Modes();
  if (tool_ != EditTool::Pen || modes.addRow || modes.addColumn) return;
  if ((event->buttons() & Qt::LeftButton) && InsideGrid(position) && CellAt(position) != CellAt(lastPosition_)) {
    const QPoint cell = CellAt(position);
    document_->Grid().Set(cell.x(), cell.y(), penValue_);
    viewport()->update();
  }
  lastPosition_ = position;
}

void CDotforgeEditView::mouseReleaseEvent(QMouseEvent* event) {
  if (!document_) return;
  if (drag_ != Drag::None) {
    if (event->button() == dragButton_) ReleaseDrag(DotAt(event->position().toPoint()));
    return;
  }
  if (event->button() == Qt::LeftButton) document_->WriteBack();
}

void CDotforgeEditView::ReleaseDrag(GridPoint dot) {
  const Drag drag = drag_;
  drag_ = Drag::None;
  switch (drag) {
    case Drag::Shape:
      document_->DrawShape(*ShapeOfTool(tool_), dragStart_, dot, shapeValue_);
      break;
    case Drag::Marking:
      document_->Select(RectBetween(dragStart_, dot));
      break;
    case Drag::Moving:
      document_->FinishMove();
      break;
    case Drag::None:
      break;
  }
  viewport()->update();
}

void CDotforgeEditView::CancelDrag() {
  // A move already shown stays where it is, as one step; a shape or a marking
  // under way is dropped.
  if (drag_ == Drag::Moving) document_->FinishMove();
  drag_ = Drag::None;
  viewport()->update();
}

void CDotforgeEditView::keyPressEvent(QKeyEvent* event) {
  if (!document_) return;
  if (event->key() == Qt::Key_Escape) {
    if (drag_ != Drag::None) {
      CancelDrag();
    } else {
      document_->DropSelection();
    }
    return;
  }
  const bool selected = document_->Selection().Active() && drag_ == Drag::None;
  switch (selected ? event->key() : 0) {
    case Qt::Key_Left:
      document_->MoveSelectionBy(-1, 0);
      return;
    case Qt::Key_Right:
      document_->MoveSelectionBy(1, 0);
      return;
    case Qt::Key_Up:
      document_->MoveSelectionBy(0, -1);
      return;
    case Qt::Key_Down:
      document_->MoveSelectionBy(0, 1);
      return;
    default:
      CScrollView::keyPressEvent(event);
  }
}

void CDotforgeEditView::ChooseTool(EditTool tool) {
  if (tool == tool_) {
    // The pen's own command keeps switching its cursor, as it always has.
    if (tool == EditTool::Pen) document_->TogglePen();
    return;
  }
  if (drag_ != Drag::None) CancelDrag();
  // A floating selection stays where it is shown when another tool is chosen.
  document_->DropSelection();
  tool_ = tool;
}

void CDotforgeEditView::Paste() {
  std::optional<PixelGrid> dots = DotsFromClipboard(this);
  if (!dots) {
    QApplication::beep();
    return;
  }
  if (drag_ != Drag::None) CancelDrag();
  if (tool_ != EditTool::Select) ChooseTool(EditTool::Select);
  document_->Paste(std::move(*dots));
}

void CDotforgeEditView::UpdateCursor() {
  const EditModes& modes = document_->Modes();
  // The last cursor that applies wins; with nothing on, the cursor stays.
  if (tool_ != EditTool::Pen) {
    viewport()->setCursor(tool_ == EditTool::FloodFill ? Qt::PointingHandCursor : Qt::CrossCursor);
  }
  if (tool_ == EditTool::Pen && modes.pen) viewport()->setCursor(PenCursor());
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

bool CDotforgeEditView::QueryGlyphCommand(int id, CommandState& state) {
  if (const std::optional<EditTool> tool = ToolOfCommand(id)) {
    const bool pen = *tool != EditTool::Pen || document_->Modes().pen;
    state.check = tool_ == *tool && pen ? CommandState::Check::Checked : CommandState::Check::Unchecked;
    return true;
  }
  if (const std::optional<GlyphTransform> transform = TransformOfCommand(id)) {
    state.enabled = document_->CanTransform(*transform);
    return true;
  }
  switch (id) {
    case cmd::kCut:
    case cmd::kDelete:
      state.enabled = document_->Selection().Active();
      return true;
    case cmd::kCopy:
    case cmd::kFrameworkCopy:
    case cmd::kPaste:
    case cmd::kFrameworkPaste:
      return true;
    default:
      return false;
  }
}

bool CDotforgeEditView::RunGlyphCommand(int id) {
  if (const std::optional<EditTool> tool = ToolOfCommand(id)) {
    ChooseTool(*tool);
    return true;
  }
  if (const std::optional<GlyphTransform> transform = TransformOfCommand(id)) {
    if (drag_ != Drag::None) CancelDrag();
    document_->Transform(*transform);
    return true;
  }
  switch (id) {
    case cmd::kCut:
      if (drag_ != Drag::None) CancelDrag();
      CopyDotsToClipboard(document_->CutSelection());
      return true;
    case cmd::kCopy:
    case cmd::kFrameworkCopy:
      CopyDotsToClipboard(document_->SelectedDots());
      return true;
    case cmd::kPaste:
    case cmd::kFrameworkPaste:
      Paste();
      return true;
    case cmd::kDelete:
      if (drag_ != Drag::None) CancelDrag();
      document_->DeleteSelection();
      return true;
    default:
      return false;
  }
}

bool CDotforgeEditView::QueryCommand(int id, CommandState& state) {
  if (!document_) return false;
  if (QueryGlyphCommand(id, state)) return true;
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
  if (RunGlyphCommand(id)) {
    UpdateCursor();
    viewport()->update();
    return;
  }
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
