#pragma once
// The character table of a font set: every character as a labelled cell, the
// current character framed in red, and the commands that act on characters.

#include <QFont>
#include <QTimer>

#include "app/shell/main_frame.h"
#include "app/shell/view_host.h"
#include "framework/qt/scroll_view.h"

class QPrinter;

namespace dotforge {

class CDotforgeImportView : public CScrollView, public CCmdTarget, public ChildContent {
  Q_OBJECT

 public:
  CDotforgeImportView(CDotforgeImportDoc& document, ViewHost& host, QWidget* parent = nullptr);
  ~CDotforgeImportView() override;

  CDotforgeImportDoc* Document() const { return document_; }
  // Stops using the document, which is about to be destroyed.
  void Detach();

  bool DoubleSize() const { return doubleSize_; }
  // The viewport a new window gives the table: a full row of cells across and
  // four rows down.
  QSize OpeningViewportSize() const;
  const Rect& SelectionRect() const { return selectionRect_; }
  // Draws the cells that meet `area` (canvas coordinates), selection frame included.
  void PaintTable(QPainter& painter, const QRect& area);
  // Prints the whole table, page after page.
  void PrintTable(QPrinter& printer);

  CCmdTarget* ViewTarget() override { return this; }
  CCmdTarget* DocumentTarget() override;
  MenuBarKind Menu() const override { return MenuBarKind::FontSet; }
  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Stores every shown character's cell and the scroll sizes.
  void LayOut();
  // Lays out again only when the table may have moved: the document said so, or
  // its size, count, cell or the double size changed since the last layout.
  void LayOutIfChanged();
  void Select(QPoint canvasPoint);
  void EditCharacter(CharacterRecord* record);
  void DeleteSelected();
  void DeleteBefore();
  void MapAtLastHit();
  void Print();
  // True when `key` is a navigation key, whether or not it moved anything.
  bool MoveSelection(int key);
  void ScrollToShow(int key, const Rect& cell);
  CharacterRecord* CharacterAt(QPoint canvasPoint) const;
  void CheckFontSet();

  CDotforgeImportDoc* document_;
  ViewHost& host_;
  int listener_ = 0;
  struct LayoutKey {
    std::size_t characters = 0;
    std::int32_t count = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool doubleSize = false;
    bool operator==(const LayoutKey&) const = default;
  };
  LayoutKey CurrentLayoutKey() const;
  LayoutKey laidOut_;
  bool layoutStale_ = true;
  Rect selectionRect_;
  QPoint lastHit_;
  bool doubleSize_ = false;
  QFont labelFont_;
  QTimer fontSetCheckTimer_;
};

}  // namespace dotforge
