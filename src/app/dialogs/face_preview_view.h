#pragma once
// The faces dialog's preview: sample characters drawn dot by dot in their cells,
// the baseline marked across them and each cell's code below it; a cell whose
// glyph was cut at the edges gets a red frame. A preview that cannot be drawn
// shows why instead.

#include <QWidget>

#include "framework/dialog_requests.h"

namespace dotforge {

class FacePreviewView : public QWidget {
  Q_OBJECT
 public:
  explicit FacePreviewView(QWidget* parent = nullptr);
  void SetPreview(FacePreview preview);
  const FacePreview& Preview() const { return preview_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Screen pixels per dot: large enough to see dots, small enough to fit.
  int Scale() const;
  void PaintCell(QPainter& painter, const FacePreviewCell& cell, QPoint origin, int scale) const;

  FacePreview preview_;
};

}  // namespace dotforge
