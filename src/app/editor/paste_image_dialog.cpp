#include "app/editor/paste_image_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/shell/app_messages.h"

namespace dotforge {
namespace {

// The preview box: a picture that fits is enlarged by a whole factor, at most
// kMostEnlargement; a larger one is shrunk to fit.
constexpr int kPreviewSide = 320;
constexpr int kMostEnlargement = 16;
constexpr int kPreviewMargin = 8;
const QColor kPreviewBackground(160, 160, 160);

RawImage RawRowsOf(const QImage& rgba) {
  return RawImage{rgba.width(), rgba.height(), RawPixelFormat::Rgba8, static_cast<std::size_t>(rgba.bytesPerLine()),
                  ByteView(rgba.constBits(), static_cast<std::size_t>(rgba.sizeInBytes()))};
}

// The dots one pixel each, black on white.
QImage DotsImage(const PixelGrid& dots) {
  QImage image(dots.Width(), dots.Height(), QImage::Format_Grayscale8);
  for (std::int32_t row = 0; row < dots.Height(); ++row) {
    const std::uint8_t* in = dots.Row(row);
    std::uint8_t* out = image.scanLine(row);
    for (std::int32_t column = 0; column < dots.Width(); ++column) out[column] = in[column] == kBlackPixel ? 0 : 255;
  }
  return image;
}

}  // namespace

PasteImageDialog::PasteImageDialog(const QImage& image, QWidget* parent)
    : QDialog(parent),
      rgba_(image.convertToFormat(QImage::Format_RGBA8888)),
      slider_(new QSlider(Qt::Horizontal, this)),
      field_(new QSpinBox(this)),
      invert_(new QCheckBox(msg::kPasteImageInvert, this)),
      preview_(new QLabel(this)) {
  setWindowTitle(msg::kPasteImageTitle);
  slider_->setRange(0, kMaxThresholdPercent);
  slider_->setValue(kDefaultThresholdPercent);
  slider_->setPageStep(10);
  field_->setRange(0, kMaxThresholdPercent);
  field_->setValue(kDefaultThresholdPercent);
  field_->setSuffix(msg::kPasteImagePercent);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFixedSize(kPreviewSide + 2 * kPreviewMargin, kPreviewSide + 2 * kPreviewMargin);
  preview_->setAutoFillBackground(true);
  QPalette palette = preview_->palette();
  palette.setColor(QPalette::Window, kPreviewBackground);
  preview_->setPalette(palette);

  auto* thresholdLabel = new QLabel(msg::kPasteImageThreshold, this);
  thresholdLabel->setBuddy(slider_);
  auto* threshold = new QHBoxLayout;
  threshold->addWidget(thresholdLabel);
  threshold->addWidget(slider_, 1);
  threshold->addWidget(field_);
  auto* size = new QLabel(QString(msg::kPasteImageSize).arg(rgba_.width()).arg(rgba_.height()), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(preview_, 0, Qt::AlignHCenter);
  layout->addWidget(size, 0, Qt::AlignHCenter);
  layout->addWidget(new QLabel(msg::kPasteImageHint, this));
  layout->addLayout(threshold);
  layout->addWidget(invert_);
  layout->addWidget(buttons);

  connect(slider_, &QSlider::valueChanged, field_, &QSpinBox::setValue);
  connect(field_, &QSpinBox::valueChanged, slider_, &QSlider::setValue);
  connect(field_, &QSpinBox::valueChanged, this, &PasteImageDialog::Refresh);
  connect(invert_, &QCheckBox::toggled, this, &PasteImageDialog::Refresh);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Refresh();
}

ThresholdOptions PasteImageDialog::Options() const { return ThresholdOptions{field_->value(), invert_->isChecked()}; }

void PasteImageDialog::Refresh() {
  dots_ = ImageToDots(RawRowsOf(rgba_), Options()).value_or(PixelGrid{});
  preview_->setPixmap(PreviewPixmap());
}

QPixmap PasteImageDialog::PreviewPixmap() const {
  if (dots_.Width() == 0 || dots_.Height() == 0) return {};
  const QImage image = DotsImage(dots_);
  const int longer = std::max(dots_.Width(), dots_.Height());
  if (longer > kPreviewSide) {
    return QPixmap::fromImage(image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::FastTransformation));
  }
  const int factor = std::min(kMostEnlargement, kPreviewSide / longer);
  return QPixmap::fromImage(image.scaled(dots_.Width() * factor, dots_.Height() * factor));
}

}  // namespace dotforge
