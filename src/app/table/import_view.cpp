#include "app/table/import_view.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>

#include "app/shell/command_ids.h"
#include "edit/table_layout.h"
#include "model/character_operations.h"

namespace dotforge {
namespace {

constexpr int kCheckIntervalMs = 10;
constexpr int kSelectionFrameWidth = 5;
constexpr int kSelectionFrameOffset = 3;
constexpr int kOpeningRows = 4;
// The label font: "Times", 8 points on the screen.
constexpr int kLabelPoints = 8;

QRect ToQRect(const Rect& rect) { return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)); }

bool Contains(const Rect& rect, QPoint point) {
  return point.x() >= rect.left && point.x() < rect.right && point.y() >= rect.top && point.y() < rect.bottom;
}

// The glyph as a monochrome image: ink black, the rest white.
QImage GlyphImage(const CharacterRecord& record) {
  QImage image(std::max(record.width, 1), std::max(record.height, 1), QImage::Format_Mono);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  image.fill(0);
  const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow(record.width));
  for (std::int32_t row = 0; row < record.height; ++row) {
    const std::size_t start = static_cast<std::size_t>(row) * rowBytes;
    if (start + rowBytes > record.bitmap.size()) break;
    std::copy_n(record.bitmap.begin() + static_cast<std::ptrdiff_t>(start), rowBytes, image.scanLine(row));
  }
  return image;
}

std::optional<TableKey> TableKeyOf(int key) {
  switch (key) {
    case Qt::Key_Right:
      return TableKey::Right;
    case Qt::Key_Left:
      return TableKey::Left;
    case Qt::Key_Down:
      return TableKey::Down;
    case Qt::Key_Up:
      return TableKey::Up;
    case Qt::Key_PageDown:
      return TableKey::PageDown;
    case Qt::Key_PageUp:
      return TableKey::PageUp;
    case Qt::Key_Home:
      return TableKey::Home;
    case Qt::Key_End:
      return TableKey::End;
    default:
      return std::nullopt;
  }
}

std::optional<ShiftDirection> ShiftOf(int id) {
  switch (id) {
    case cmd::kShiftDown:
      return ShiftDirection::Down;
    case cmd::kShiftUp:
      return ShiftDirection::Up;
    case cmd::kShiftRight:
      return ShiftDirection::Right;
    case cmd::kShiftLeft:
      return ShiftDirection::Left;
    default:
      return std::nullopt;
  }
}

}  // namespace

CDotforgeImportView::CDotforgeImportView(CDotforgeImportDoc& document, ViewHost& host, QWidget* parent)
    : CScrollView(parent), document_(&document), host_(host), labelFont_("Times") {
  setFocusPolicy(Qt::StrongFocus);
  // The label's size is fixed in screen pixels, so that a printer, whose painter
  // scales the whole table, does not scale it a second time by its resolution.
  labelFont_.setPixelSize((kLabelPoints * logicalDpiY() + 36) / 72);
  listener_ = document.AddUpdateListener([this] {
    layoutStale_ = true;
    viewport()->update();
  });
  // A font set left without characters closes by itself.
  connect(&fontSetCheckTimer_, &QTimer::timeout, this, &CDotforgeImportView::CheckFontSet);
  fontSetCheckTimer_.start(kCheckIntervalMs);
  LayOut();
}

CDotforgeImportView::~CDotforgeImportView() { Detach(); }

void CDotforgeImportView::Detach() {
  fontSetCheckTimer_.stop();
  if (document_) document_->RemoveUpdateListener(listener_);
  document_ = nullptr;
}

CCmdTarget* CDotforgeImportView::DocumentTarget() { return document_ ? host_.DocumentTarget(*document_) : nullptr; }

void CDotforgeImportView::CheckFontSet() {
  if (document_ && document_->characterCount == 0) host_.CloseFontSetWithoutAsking(*document_);
}

CDotforgeImportView::LayoutKey CDotforgeImportView::CurrentLayoutKey() const {
  return {document_->characters.size(), document_->characterCount, document_->width, document_->height, doubleSize_};
}

void CDotforgeImportView::LayOutIfChanged() {
  if (layoutStale_ || CurrentLayoutKey() != laidOut_) LayOut();
}

void CDotforgeImportView::LayOut() {
  laidOut_ = CurrentLayoutKey();
  layoutStale_ = false;
  const dotforge::CanvasSize canvas = LayOutTable(*document_, doubleSize_);
  const TableGeometry geometry = TableGeometryFor(document_->width, document_->height, doubleSize_);
  SetScrollSizes(QSize(canvas.width, canvas.height), QSize(10 * geometry.pitchX, 10 * geometry.pitchY),
                 QSize(geometry.pitchX, geometry.pitchY));
  selectionRect_ = document_->selected ? document_->selected->cellRect : Rect{};
}

QSize CDotforgeImportView::OpeningViewportSize() const {
  const TableGeometry geometry = TableGeometryFor(document_->width, document_->height, doubleSize_);
  return QSize(kCellsPerRow * geometry.pitchX + kTableMargin, kOpeningRows * geometry.pitchY + kTableMargin);
}

void CDotforgeImportView::PaintTable(QPainter& painter, const QRect& area) {
  const TableGeometry geometry = TableGeometryFor(document_->width, document_->height, doubleSize_);
  const std::size_t count = TableCount(*document_);
  // Only the rows that meet the area are drawn; every row is laid out.
  const std::size_t firstRow = static_cast<std::size_t>(std::max(0, (area.top() - kTableMargin) / geometry.pitchY));
  const std::size_t lastRow = static_cast<std::size_t>(std::max(0, (area.bottom() - kTableMargin) / geometry.pitchY));
  const std::size_t end = std::min(count, (lastRow + 1) * kCellsPerRow);
  painter.setFont(labelFont_);
  for (std::size_t i = firstRow * kCellsPerRow; i < end; ++i) {
    const CharacterRecord& record = *document_->characters[i];
    // This view's own geometry: another window on the same font set may lay the
    // stored cells out at the other size.
    const Rect cell = TableCell(geometry, i);
    const QRect box = ToQRect(cell);
    if (&record == document_->selected) {
      painter.setPen(QPen(Qt::red, kSelectionFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(box.adjusted(-kSelectionFrameOffset, -kSelectionFrameOffset, kSelectionFrameOffset,
                                    kSelectionFrameOffset));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawLine(cell.left, cell.top + kLabelBand, cell.right - 1, cell.top + kLabelBand);
    painter.save();
    painter.setClipRect(box);
    painter.drawText(QRect(cell.left, cell.top + 1, cell.right - cell.left, kLabelBand - 1),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(record.label));
    painter.restore();
    const int scale = doubleSize_ ? 2 : 1;
    const int x = (cell.left + cell.right) / 2 - scale * record.width / 2;
    const int y = (cell.top + kLabelBand + cell.bottom) / 2 - scale * record.height / 2;
    painter.drawImage(QRect(x, y, scale * record.width, scale * record.height), GlyphImage(record));
  }
}

void CDotforgeImportView::paintEvent(QPaintEvent*) {
  if (!document_) return;
  LayOutIfChanged();
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  const QPoint scroll = ScrollPosition();
  painter.translate(-scroll);
  PaintTable(painter, QRect(scroll, viewport()->size()));
}

CharacterRecord* CDotforgeImportView::CharacterAt(QPoint canvasPoint) const {
  const std::size_t count = TableCount(*document_);
  for (std::size_t i = 0; i < count; ++i) {
    if (Contains(document_->characters[i]->cellRect, canvasPoint)) return document_->characters[i].get();
  }
  return nullptr;
}

void CDotforgeImportView::Select(QPoint canvasPoint) {
  // Between cells the current character stays; the repaint frames it again.
  selectionRect_ = Rect{};
  if (CharacterRecord* record = CharacterAt(canvasPoint)) {
    selectionRect_ = record->cellRect;
    lastHit_ = canvasPoint;
    document_->selected = record;
  }
  viewport()->update();
}

void CDotforgeImportView::mousePressEvent(QMouseEvent* event) {
  if (!document_) return;
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    LayOut();
    Select(ToCanvas(event->position().toPoint()));
  }
}

void CDotforgeImportView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!document_ || event->button() != Qt::LeftButton) return;
  // The character under the double click itself: one between the cells opens nothing.
  EditCharacter(CharacterAt(ToCanvas(event->position().toPoint())));
}

void CDotforgeImportView::contextMenuEvent(QContextMenuEvent* event) {
  if (!document_) return;
  QMenu* menu = host_.BuildContextMenu(this);
  menu->exec(event->globalPos());
  menu->deleteLater();
}

void CDotforgeImportView::EditCharacter(CharacterRecord* record) {
  if (record) host_.Core().EditCharacter(*document_, *record);
}

void CDotforgeImportView::DeleteSelected() {
  // The font set moves the selection to the next character, or the last one.
  host_.Core().DeleteCharacter(*document_, selectionRect_);
  LayOut();
  viewport()->update();
}

void CDotforgeImportView::DeleteBefore() {
  const std::optional<std::size_t> current = document_->IndexOf(document_->selected);
  if (!current || *current == 0) return;
  host_.Core().DeleteCharacter(*document_, document_->characters[*current - 1]->cellRect);
  LayOut();
  document_->UpdateAllViews();
}

void CDotforgeImportView::MapAtLastHit() {
  const CharacterRecord* record = CharacterAt(lastHit_);
  // A character open in an editor keeps its code: the one last clicked, and the
  // selected one that is moved (the keys may have moved the selection since).
  if (!record || record->editorOpen != 0) return;
  const std::optional<std::size_t> moving = FindCharacterByCell(*document_, selectionRect_);
  if (moving && host_.Core().FindEditor(*document_, document_->characters[*moving]->label)) return;
  MapCharacter(*document_, selectionRect_, host_.UserPrompt());
  LayOut();
  viewport()->update();
}

void CDotforgeImportView::ScrollToShow(int key, const Rect& cell) {
  QScrollBar* horizontal = horizontalScrollBar();
  QScrollBar* vertical = verticalScrollBar();
  const QRect visible(ScrollPosition(), viewport()->size());
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Left:
      if (cell.right > visible.right()) {
        horizontal->setValue(key == Qt::Key_Right ? horizontal->value() + horizontal->singleStep()
                                                  : horizontal->maximum());
      }
      if (cell.left < visible.left()) {
        horizontal->setValue(key == Qt::Key_Right ? 0 : horizontal->value() - horizontal->singleStep());
      }
      if (key == Qt::Key_Right && cell.bottom > visible.bottom()) vertical->triggerAction(QScrollBar::SliderSingleStepAdd);
      if (key == Qt::Key_Left && cell.top < visible.top()) vertical->triggerAction(QScrollBar::SliderSingleStepSub);
      break;
    case Qt::Key_Down:
      if (cell.bottom > visible.bottom()) vertical->triggerAction(QScrollBar::SliderSingleStepAdd);
      break;
    case Qt::Key_Up:
      if (cell.top < visible.top()) vertical->triggerAction(QScrollBar::SliderSingleStepSub);
      break;
    case Qt::Key_PageDown:
      vertical->triggerAction(QScrollBar::SliderPageStepAdd);
      break;
    case Qt::Key_PageUp:
      vertical->triggerAction(QScrollBar::SliderPageStepSub);
      break;
    case Qt::Key_Home:
      if (cell.left < visible.left()) horizontal->setValue(0);
      vertical->setValue(0);
      break;
    case Qt::Key_End:
      if (cell.right > visible.right()) horizontal->setValue(horizontal->maximum());
      vertical->setValue(vertical->maximum());
      break;
    default:
      break;
  }
}

bool CDotforgeImportView::MoveSelection(int key) {
  const std::optional<TableKey> tableKey = TableKeyOf(key);
  if (!tableKey) return false;
  // With no current character the keys move nothing, and scroll nothing either.
  const std::optional<std::size_t> current = document_->IndexOf(document_->selected);
  if (!current) return true;
  const std::optional<std::size_t> target = TableKeyTarget(*tableKey, *current, TableCount(*document_));
  if (!target) return true;
  CharacterRecord& record = *document_->characters[*target];
  document_->selected = &record;
  selectionRect_ = record.cellRect;
  ScrollToShow(key, record.cellRect);
  viewport()->update();
  return true;
}

void CDotforgeImportView::keyPressEvent(QKeyEvent* event) {
  if (!document_) return;
  LayOut();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    EditCharacter(document_->selected);
  } else if (event->key() == Qt::Key_Backspace) {
    DeleteBefore();
  } else if (!MoveSelection(event->key())) {
    CScrollView::keyPressEvent(event);
  }
}

void CDotforgeImportView::PrintTable(QPrinter& printer) {
  LayOut();
  QPainter painter(&printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QSize canvas = CanvasSize();
  // The table is scaled to the page width; pages break between rows of cells.
  const double scale = canvas.width() > 0 ? std::min(1.0 * page.width() / canvas.width(), printer.resolution() / 96.0)
                                          : 1.0;
  const TableGeometry geometry = TableGeometryFor(document_->width, document_->height, doubleSize_);
  const int rowsPerPage = std::max(1, static_cast<int>((page.height() / scale - kTableMargin) / geometry.pitchY));
  const int rows = static_cast<int>((TableCount(*document_) + kCellsPerRow - 1) / kCellsPerRow);
  for (int first = 0; first < rows; first += rowsPerPage) {
    if (first > 0) printer.newPage();
    painter.save();
    painter.scale(scale, scale);
    const int top = first * geometry.pitchY;
    painter.translate(0, -top);
    PaintTable(painter, QRect(0, top + kTableMargin, canvas.width(), rowsPerPage * geometry.pitchY - 1));
    painter.restore();
  }
}

void CDotforgeImportView::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(document_->GetTitle()));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintTable(printer);
}

bool CDotforgeImportView::QueryCommand(int id, CommandState& state) {
  if (!document_) return false;
  switch (id) {
    case cmd::kDoubleSizeView:
      state.check = doubleSize_ ? CommandState::Check::Checked : CommandState::Check::Unchecked;
      return true;
    case cmd::kEdit:
    case cmd::kCopy:
    case cmd::kPaste:
    case cmd::kAdd:
    case cmd::kDelete:
    case cmd::kCharacterPosition:
    case cmd::kRotate:
    case cmd::kPrint:
      return true;
    default:
      return ShiftOf(id).has_value();
  }
}

void CDotforgeImportView::OnCommand(int id) {
  LayOut();
  ApplicationValues& values = host_.Core().Values();
  Prompt& prompt = host_.UserPrompt();
  if (const std::optional<ShiftDirection> direction = ShiftOf(id)) {
    host_.Core().ShiftFont(*document_, *direction);
    return;
  }
  switch (id) {
    case cmd::kEdit:
      EditCharacter(document_->selected);
      break;
    case cmd::kCopy:
      CopyCharacter(*document_, selectionRect_, values.copiedCharacter);
      break;
    case cmd::kPaste:
      PasteCharacter(*document_, values.copiedCharacter, prompt);
      host_.Core().ReloadEditors(*document_);
      break;
    case cmd::kAdd:
      AddCharacter(*document_, prompt);
      break;
    case cmd::kDelete:
      DeleteSelected();
      break;
    case cmd::kCharacterPosition:
      MapAtLastHit();
      break;
    case cmd::kDoubleSizeView:
      doubleSize_ = !doubleSize_;
      break;
    case cmd::kRotate:
      host_.Core().RotateFont(*document_);
      break;
    case cmd::kPrint:
      Print();
      break;
    default:
      break;
  }
  // Every view of the set follows: its other windows and the preview.
  if (document_) {
    LayOut();
    document_->UpdateAllViews();
  }
}

}  // namespace dotforge
