#pragma once
// The import and export file dialogs (a file chooser with an option panel) and
// the "TrueType Font Faces" dialog. Their decisions come from the dialog states
// of the formats library; these classes only show them.

#include <QDialog>
#include <QFileDialog>
#include <optional>
#include <vector>

#include "formats/commands/file_dialog_logic.h"
#include "framework/dialog_requests.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;

namespace dotforge {

class FacePreviewView;

class ExportFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  ExportFileDialog(const ExportDialogRequest& request, QWidget* parent = nullptr);
  std::optional<ExportDialogAnswer> Answer() const { return answer_; }
  QLineEdit* FontIdField() const { return fontId_; }
  QLineEdit* BaselineField() const { return baseline_; }
  QLineEdit* CodePageField() const { return codePage_; }
  QComboBox* LayoutList() const { return layout_; }
  QComboBox* BitOrderList() const { return bitOrder_; }
  QCheckBox* InvertBox() const { return invert_; }
  QCheckBox* ArtBox() const { return art_; }

 public slots:
  void accept() override;

 private:
  void AddCArrayOptions(const CArrayDialogOptions& options);
  CArrayDialogOptions CArrayOptions() const;
  void OnTypeChanged(const QString& filter);
  void ShowOptions();
  // "All Files (*)": the list switches to the type of the name (0: none, refused).
  void SwitchToTypeOfName(const QString& path, int typePosition);

  ExportFileDialogState state_;
  QComboBox* dataFormat_;
  QLineEdit* fontId_;
  QLineEdit* baseline_;
  QLineEdit* codePage_;
  QComboBox* layout_;
  QComboBox* bitOrder_;
  QCheckBox* invert_;
  QCheckBox* art_;
  // The rows of the C array options, labels included: shown for that type only.
  std::vector<QWidget*> carrayRows_;
  std::optional<ExportDialogAnswer> answer_;
};

class ImportFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  ImportFileDialog(const ImportDialogRequest& request, QWidget* parent = nullptr);
  std::optional<ImportDialogAnswer> Answer() const { return answer_; }
  QLineEdit* WidthField() const { return width_; }
  QLineEdit* HeightField() const { return height_; }
  QLineEdit* BaselineField() const { return baseline_; }
  QComboBox* EncodingList() const { return encoding_; }
  QLineEdit* CodesField() const { return codes_; }
  QComboBox* FontTypeList() const { return fontType_; }

 public slots:
  void accept() override;

 private:
  void AddBitmapOptions();
  void OnTypeChanged(const QString& filter);
  void ShowOptions();
  void EnableOptions();
  // "All Files (*)": the list switches to the type of the name (0: none, refused).
  void SwitchToTypeOfName(const QString& path, int typePosition);
  BitmapOptionTexts BitmapTexts() const;

  ImportFileDialogState state_;
  QComboBox* dataFormat_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* baseline_;
  QComboBox* encoding_;
  QLineEdit* codes_;
  QComboBox* fontType_;
  // The rows of the bitmap font options, labels included: shown for those types only.
  std::vector<QWidget*> bitmapRows_;
  std::optional<ImportDialogAnswer> answer_;
};

class FontFacesDialog : public QDialog {
  Q_OBJECT
 public:
  FontFacesDialog(const FontFacesRequest& request, QWidget* parent = nullptr);
  // The choice as the controls show it; a number field that holds no integer
  // counts as empty (the default) here, and is refused by OK.
  FontFacesAnswer Answer() const;
  QGroupBox* KeepCodesBox() const { return keepCodes_; }
  QComboBox* EncodingField() const { return encoding_; }
  QLineEdit* PixelSizeField() const { return pixelSize_; }
  QLineEdit* BaselineField() const { return baseline_; }
  FacePreviewView* PreviewView() const { return preview_; }

 public slots:
  // Stays open with a warning until a face (and a map of it, unless the codes
  // are kept) is selected and the keep-codes numbers are integers in range.
  void accept() override;

 private:
  void ShowCharmaps(int face);
  QGroupBox* BuildKeepCodesBox();
  // Draws the preview of the current choice and shows the defaults it used.
  void UpdatePreview();
  // False (after a message, the focus on the field) when a keep-codes number
  // field holds text that is not an integer.
  bool NumbersAreIntegers();

  const FontFacesRequest& request_;
  QListWidget* faces_;
  QListWidget* charmaps_;
  QGroupBox* keepCodes_ = nullptr;
  QComboBox* encoding_ = nullptr;
  QLineEdit* pixelSize_ = nullptr;
  QLineEdit* baseline_ = nullptr;
  FacePreviewView* preview_ = nullptr;
};

}  // namespace dotforge
