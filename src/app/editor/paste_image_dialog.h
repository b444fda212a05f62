#pragma once
// The "Paste Image" dialog: a picture from the clipboard becomes glyph dots. A
// threshold (slider and percent field) and an invert choice decide which pixels
// become black; the enlarged preview follows every change.

#include <QDialog>
#include <QImage>
#include <QPixmap>

#include "edit/image_dots.h"
#include "edit/pixel_grid.h"

class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace dotforge {

class PasteImageDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PasteImageDialog(const QImage& image, QWidget* parent = nullptr);

  ThresholdOptions Options() const;
  // The dots of the picture under the current choices.
  const PixelGrid& Dots() const { return dots_; }

  QSlider* ThresholdSlider() const { return slider_; }
  QSpinBox* ThresholdField() const { return field_; }
  QCheckBox* InvertBox() const { return invert_; }
  QLabel* Preview() const { return preview_; }

 private:
  void Refresh();
  QPixmap PreviewPixmap() const;

  // The picture as 8-bit RGBA rows; the core reads them in place.
  QImage rgba_;
  PixelGrid dots_;
  QSlider* slider_;
  QSpinBox* field_;
  QCheckBox* invert_;
  QLabel* preview_;
};

}  // namespace dotforge
