#pragma once
// The pixel editor: the glyph as an enlarged grid of cells, painted with the left
// button, with the one-shot row and column modes, zoom and two reference lines;
// the drawing tools (a shape follows the mouse as a preview and is put down at
// the release), flood fill, and the region select with its clipboard commands.

#include "app/editor/edit_tools.h"
#include "app/shell/main_frame.h"
#include "app/shell/view_host.h"
#include "edit/edit_doc.h"
#include "framework/qt/scroll_view.h"

class QPainter;

namespace dotforge {

inline constexpr int kInitialCellSize = 10;
inline constexpr int kLargestCellSize = 30;
inline constexpr int kSmallestCellSize = 5;

int ZoomedIn(int cellSize);
int ZoomedOut(int cellSize);

class CDotforgeEditView : public CScrollView, public CCmdTarget, public ChildContent {
  Q_OBJECT

 public:
  CDotforgeEditView(CDotforgeEditDoc& document, ViewHost& host, QWidget* parent = nullptr);
  ~CDotforgeEditView() override;

  CDotforgeEditDoc* Document() const { return document_; }
  void Detach();

  int CellSize() const { return cellSize_; }
  const ReferenceLineSettings& ReferenceLines() const { return referenceLines_; }
  // The outer size its child window takes: ((w + 6) s, (h + 6) s).
  QSize FrameSize() const;
  // The grid cell under a client position (truncated toward zero, as the grid
  // origin lies at (2s, 2s)).
  QPoint CellAt(QPoint client) const;
  EditTool Tool() const { return tool_; }

  CCmdTarget* ViewTarget() override { return this; }
  CCmdTarget* DocumentTarget() override;
  MenuBarKind Menu() const override { return MenuBarKind::Editor; }
  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What a press that is still held is doing.
  enum class Drag { None, Shape, Marking, Moving };

  // The dot under a client position, rounding down also left of and above the grid.
  GridPoint DotAt(QPoint client) const;
  std::uint8_t DotValue(GridPoint dot) const;
  void PressPen(QPoint position);
  void PressSelect(GridPoint dot);
  void ReleaseDrag(GridPoint dot);
  void CancelDrag();
  void ChooseTool(EditTool tool);
  void Paste();
  bool QueryGlyphCommand(int id, CommandState& state);
  bool RunGlyphCommand(int id);
  void DrawCells(QPainter& painter, const PixelGrid& grid) const;
  void DrawSelection(QPainter& painter) const;
  bool InsideGrid(QPoint client) const;
  void DrawReferenceLines(QPainter& painter) const;
  void UpdateScrollSizes();
  void UpdateCursor();
  void EditReferenceLines();

  CDotforgeEditDoc* document_;
  ViewHost& host_;
  int listener_ = 0;
  int cellSize_ = kInitialCellSize;
  std::uint8_t penValue_ = kWhitePixel;
  EditTool tool_ = EditTool::Pen;
  Drag drag_ = Drag::None;
  Qt::MouseButton dragButton_ = Qt::NoButton;
  GridPoint dragStart_;
  GridPoint dragEnd_;
  std::uint8_t shapeValue_ = kBlackPixel;
  GridPoint moveOrigin_;  // the selection's top-left dot when a move began
  QPoint lastPosition_;
  ReferenceLineSettings referenceLines_;
};

}  // namespace dotforge
