#pragma once
// The Preview panel: a text drawn with the active font set's characters, as
// the core's text preview draws it, redrawn as the text, the encoding, the zoom
// or the font set's glyphs change; "Save Preview As PNG…" writes the picture
// shown; "Print on Receipt Printer…" asks for the text to be printed as pictures.

#include <QDockWidget>
#include <QImage>
#include <map>
#include <optional>
#include <string>

#include "escpos/dot_image.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "receipt/text_lines.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace dotforge {

class PreviewPanel : public QDockWidget {
  Q_OBJECT

 public:
  // Messages of Save go through `prompt`.
  PreviewPanel(Prompt& prompt, QWidget* parent = nullptr);
  ~PreviewPanel() override;

  // Shows `fontSet` and follows its changes; null shows none.
  void Follow(CDotforgeImportDoc* fontSet);
  // Stops using `fontSet`, which is about to be destroyed.
  void Forget(const CDotforgeImportDoc& fontSet);
  CDotforgeImportDoc* FontSet() const { return fontSet_; }

  // The picture shown (a null image when there is none).
  const QImage& Picture() const { return image_; }
  // Writes the picture shown to `path` as PNG; false after a message.
  bool SavePicture(const std::string& path);
  // The text, its encoding and zoom as shown, for printing.
  TextPrintRequest PrintRequest() const;

  QPlainTextEdit* TextBox() const { return text_; }
  QComboBox* EncodingList() const { return encoding_; }
  QSpinBox* ZoomBox() const { return zoom_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* PrintButton() const { return print_; }
  QLabel* StatusLine() const { return status_; }

 signals:
  // "Print on Receipt Printer…" was clicked with a font set shown.
  void PrintRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildControls();
  void Detach();
  // Offers the encodings of the font set's type, keeping the one last chosen for it.
  void FillEncodings();
  // Redraws once control returns to the event loop, however many changes came before.
  void ScheduleRedraw();
  void Redraw();
  void ShowPicture(std::optional<DotImage> picture, const QString& status);
  void ChooseFileAndSave();

  Prompt& prompt_;
  CDotforgeImportDoc* fontSet_ = nullptr;
  int listener_ = 0;
  bool redrawPending_ = false;
  std::map<std::int32_t, QString> chosenEncoding_;  // by font type
  std::optional<DotImage> picture_;
  QImage image_;
  QString lastFolder_;
  QPlainTextEdit* text_ = nullptr;
  QComboBox* encoding_ = nullptr;
  QSpinBox* zoom_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* print_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* pictureLabel_ = nullptr;
  QScrollArea* scroll_ = nullptr;
};

}  // namespace dotforge
