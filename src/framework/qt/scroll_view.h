#pragma once
// A scrolling view over a canvas measured in device pixels. Logical canvas
// coordinates are client coordinates plus the scroll position; sizes and steps
// are 32-bit, so a canvas may be far taller than 32767 pixels.

#include <QAbstractScrollArea>

namespace dotforge {

class CScrollView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CScrollView(QWidget* parent = nullptr);

  // Canvas size, page step and line step; negative values count as positive, a zero
  // page step is a tenth of the canvas and a zero line step a tenth of the page.
  void SetScrollSizes(QSize canvas, QSize page = {}, QSize line = {});
  QSize CanvasSize() const { return canvas_; }
  QPoint ScrollPosition() const;
  void ScrollTo(QPoint position);
  QPoint ToCanvas(QPoint client) const { return client + ScrollPosition(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBars();

  QSize canvas_;
  QSize page_;
  QSize line_;
};

}  // namespace dotforge
