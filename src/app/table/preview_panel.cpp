#include "app/table/preview_panel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/shell/app_messages.h"
#include "escpos/png_writer.h"
#include "model/file_access.h"
#include "preview/preview_encoding.h"
#include "preview/preview_messages.h"
#include "preview/preview_render.h"
#include "preview/text_preview.h"

namespace dotforge {
namespace {

constexpr int kDefaultZoom = 2;
constexpr int kTextLines = 3;
constexpr int kControlsWidth = 300;
constexpr int kPictureMargin = 4;
constexpr std::uint8_t kBlackGrey = 0;
constexpr std::uint8_t kWhiteGrey = 255;

QString Text(const char* text) { return QString::fromUtf8(text); }

// The picture as an 8-bit grey image, pixel for pixel.
QImage ToQImage(const DotImage& picture) {
  QImage image(picture.width, picture.height, QImage::Format_Grayscale8);
  for (std::int32_t y = 0; y < picture.height; ++y) {
    std::uint8_t* line = image.scanLine(y);
    const std::uint8_t* dots = picture.dots.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
    for (std::int32_t x = 0; x < picture.width; ++x) line[x] = dots[x] ? kBlackGrey : kWhiteGrey;
  }
  return image;
}

}  // namespace

PreviewPanel::PreviewPanel(Prompt& prompt, QWidget* parent) : QDockWidget(Text(msg::kPreviewTitle), parent), prompt_(prompt) {
  setObjectName("PreviewPanel");
  setAllowedAreas(Qt::AllDockWidgetAreas);
  auto* body = new QWidget(this);
  auto* layout = new QHBoxLayout(body);
  layout->addWidget(BuildControls());
  scroll_ = new QScrollArea(body);
  scroll_->setBackgroundRole(QPalette::Dark);
  pictureLabel_ = new QLabel(scroll_);
  pictureLabel_->setObjectName("PreviewPicture");
  pictureLabel_->setMargin(kPictureMargin);
  scroll_->setWidget(pictureLabel_);
  scroll_->setWidgetResizable(false);
  layout->addWidget(scroll_, 1);
  setWidget(body);
  ShowPicture(std::nullopt, Text(msg::kPreviewNoFontSet));
}

PreviewPanel::~PreviewPanel() { Detach(); }

QWidget* PreviewPanel::BuildControls() {
  auto* controls = new QWidget(this);
  controls->setFixedWidth(kControlsWidth);
  auto* column = new QVBoxLayout(controls);
  column->setContentsMargins(0, 0, 0, 0);
  auto* form = new QFormLayout;
  text_ = new QPlainTextEdit(Text(msg::kPreviewStartText), controls);
  text_->setToolTip(Text(msg::kPreviewTextTip));
  text_->installEventFilter(this);
  text_->setFixedHeight(text_->fontMetrics().lineSpacing() * kTextLines + 2 * text_->frameWidth() +
                        static_cast<int>(text_->document()->documentMargin() * 2));
  encoding_ = new QComboBox(controls);
  zoom_ = new QSpinBox(controls);
  zoom_->setRange(kMinPreviewZoom, kMaxPreviewZoom);
  zoom_->setValue(kDefaultZoom);
  zoom_->setSuffix(Text(msg::kPreviewZoomSuffix));
  form->addRow(Text(msg::kPreviewTextLabel), text_);
  form->addRow(Text(msg::kPreviewEncodingLabel), encoding_);
  form->addRow(Text(msg::kPreviewZoomLabel), zoom_);
  column->addLayout(form);
  save_ = new QPushButton(Text(msg::kPreviewSave), controls);
  column->addWidget(save_);
  print_ = new QPushButton(Text(msg::kPreviewPrint), controls);
  column->addWidget(print_);
  status_ = new QLabel(controls);
  status_->setWordWrap(true);
  column->addWidget(status_);
  column->addStretch(1);
  connect(text_, &QPlainTextEdit::textChanged, this, &PreviewPanel::ScheduleRedraw);
  connect(encoding_, &QComboBox::currentIndexChanged, this, [this] {
    if (fontSet_ && encoding_->currentIndex() >= 0) chosenEncoding_[fontSet_->fontType] = encoding_->currentText();
    ScheduleRedraw();
  });
  connect(zoom_, &QSpinBox::valueChanged, this, &PreviewPanel::ScheduleRedraw);
  connect(save_, &QPushButton::clicked, this, &PreviewPanel::ChooseFileAndSave);
  connect(print_, &QPushButton::clicked, this, [this] {
    if (fontSet_) emit PrintRequested();
  });
  return controls;
}

void PreviewPanel::Follow(CDotforgeImportDoc* fontSet) {
  if (fontSet == fontSet_) return;
  Detach();
  fontSet_ = fontSet;
  if (fontSet_) listener_ = fontSet_->AddUpdateListener([this] { ScheduleRedraw(); });
  FillEncodings();
  ScheduleRedraw();
}

void PreviewPanel::Forget(const CDotforgeImportDoc& fontSet) {
  if (&fontSet == fontSet_) Follow(nullptr);
}

void PreviewPanel::Detach() {
  if (fontSet_) fontSet_->RemoveUpdateListener(listener_);
  fontSet_ = nullptr;
}

void PreviewPanel::FillEncodings() {
  const QSignalBlocker quiet(encoding_);
  encoding_->clear();
  encoding_->setEnabled(fontSet_ != nullptr);
  if (!fontSet_) return;
  for (const std::string& name : PreviewEncodings(fontSet_->fontType)) encoding_->addItem(QString::fromStdString(name));
  const auto chosen = chosenEncoding_.find(fontSet_->fontType);
  encoding_->setCurrentIndex(chosen == chosenEncoding_.end() ? 0 : std::max(0, encoding_->findText(chosen->second)));
}

void PreviewPanel::ScheduleRedraw() {
  if (redrawPending_) return;
  redrawPending_ = true;
  QTimer::singleShot(0, this, &PreviewPanel::Redraw);
}

void PreviewPanel::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  ScheduleRedraw();
}

bool PreviewPanel::eventFilter(QObject* watched, QEvent* event) {
  // The text box takes its editing keys before the main window's accelerators
  // do; Qt leaves out Insert, which there is Add Character.
  if (watched == text_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
    event->accept();
    return true;
  }
  return QDockWidget::eventFilter(watched, event);
}

void PreviewPanel::Redraw() {
  redrawPending_ = false;
  // A hidden panel draws nothing; showing it draws again.
  if (!isVisible()) return;
  const std::string text = text_->toPlainText().toStdString();
  if (!fontSet_ || text.empty()) {
    ShowPicture(std::nullopt, fontSet_ ? QString() : Text(msg::kPreviewNoFontSet));
    return;
  }
  PreviewPicture picture = MakePreview(*fontSet_, {text, encoding_->currentText().toStdString(), zoom_->value()});
  if (!picture.image) {
    ShowPicture(std::nullopt, QString::fromStdString(picture.error));
    return;
  }
  const std::string status = msg::FormatMessage(
      msg::kPreviewShowing,
      {fontSet_->GetTitle(), std::to_string(picture.image->width), std::to_string(picture.image->height)});
  ShowPicture(std::move(picture.image), QString::fromStdString(status));
}

void PreviewPanel::ShowPicture(std::optional<DotImage> picture, const QString& status) {
  picture_ = std::move(picture);
  image_ = picture_ ? ToQImage(*picture_) : QImage();
  pictureLabel_->setPixmap(QPixmap::fromImage(image_));
  pictureLabel_->adjustSize();
  status_->setText(status);
  save_->setEnabled(picture_.has_value());
  print_->setEnabled(picture_.has_value());
}

TextPrintRequest PreviewPanel::PrintRequest() const {
  TextPrintRequest request;
  request.text = text_->toPlainText().toStdString();
  request.encoding = encoding_->currentText().toStdString();
  request.zoom = zoom_->value();
  return request;
}

bool PreviewPanel::SavePicture(const std::string& path) {
  Bytes png;
  if (!picture_ || !EncodePng(*picture_, png)) {
    prompt_.ShowMessage(msg::FormatMessage(msg::kPreviewPngFailed, {path}));
    return false;
  }
  return SaveFontFile(path, png, prompt_);
}

void PreviewPanel::ChooseFileAndSave() {
  QFileDialog dialog(this, Text(msg::kPreviewSaveCaption), lastFolder_, Text(msg::kPreviewPngFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("png");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  lastFolder_ = QFileInfo(path).absolutePath();
  SavePicture(path.toStdString());
}

}  // namespace dotforge
