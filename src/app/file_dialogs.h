#pragma once
// The import and export file dialogs (a file chooser with an option panel) and
// the "TrueType Font Faces" dialog. Their decisions come from the dialog states
// of the formats library; these classes only show them.

#include <QDialog>
#include <QFileDialog>
#include <optional>
#include <vector>

#include "formats/file_dialog_logic.h"
#include "framework/dialog_requests.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace dotforge {

class ExportFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  ExportFileDialog(const ExportDialogRequest& request, QWidget* parent = nullptr);
  std::optional<ExportDialogAnswer> Answer() const { return answer_; }
  QLineEdit* FontIdField() const { return fontId_; }
  QLineEdit* BaselineField() const { return baseline_; }
  QLineEdit* CodePageField() const { return codePage_; }

 public slots:
  void accept() override;

 private:
  void OnTypeChanged(const QString& filter);
  void ShowOptions();

  ExportFileDialogState state_;
  QComboBox* dataFormat_;
  QLineEdit* fontId_;
  QLineEdit* baseline_;
  QLineEdit* codePage_;
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
  FontFacesAnswer Answer() const;

 public slots:
  // Stays open with a warning until a face (and a map of it) is selected.
  void accept() override;

 private:
  void ShowCharmaps(int face);

  const FontFacesRequest& request_;
  QListWidget* faces_;
  QListWidget* charmaps_;
};

}  // namespace dotforge
