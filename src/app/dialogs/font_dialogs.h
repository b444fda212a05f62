#pragma once
// The font set's small dialogs: "Character Position", "New Font" and "Font
// Properties". They only show and collect fields; the checks on OK come from the
// core and keep the dialog open when they refuse.

#include <QDialog>

#include "framework/dialog_fields.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace dotforge {

class CodeEntryDialog : public QDialog {
  Q_OBJECT
 public:
  CodeEntryDialog(CodeEntryFields& fields, DialogCheck<CodeEntryFields> ok, QWidget* parent = nullptr);
  QLineEdit* CodeField() const { return code_; }

 public slots:
  void accept() override;

 private:
  CodeEntryFields& fields_;
  DialogCheck<CodeEntryFields> ok_;
  QLineEdit* code_;
};

class NewFontDialog : public QDialog {
  Q_OBJECT
 public:
  NewFontDialog(NewFontFields& fields, NewFontDialogLogic logic, QWidget* parent = nullptr);
  QLineEdit* FileNameField() const { return fileName_; }
  QComboBox* FontTypeField() const { return fontType_; }
  QLineEdit* WidthField() const { return width_; }
  QLineEdit* HeightField() const { return height_; }
  QLineEdit* IdOrStartField() const { return idOrStart_; }
  QLabel* IdOrStartLabel() const { return idOrStartLabel_; }

 public slots:
  void accept() override;

 private:
  // Reads the controls into the fields; false (after a message) for a size that
  // is not an integer.
  bool ReadControls();
  void ShowFields();
  void OnFontTypeChanged(int index);

  NewFontFields& fields_;
  NewFontDialogLogic logic_;
  QLineEdit* fileName_;
  QComboBox* fontType_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLabel* idOrStartLabel_;
  QLineEdit* idOrStart_;
};

class FontPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  FontPropertiesDialog(FontPropertiesFields& fields, DialogCheck<FontPropertiesFields> ok, QWidget* parent = nullptr);
  QLineEdit* WidthField() const { return width_; }
  QLineEdit* HeightField() const { return height_; }
  QLineEdit* FontIdField() const { return fontId_; }

 public slots:
  void accept() override;

 private:
  FontPropertiesFields& fields_;
  DialogCheck<FontPropertiesFields> ok_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* count_;
  QLineEdit* fontId_;
};

}  // namespace dotforge
