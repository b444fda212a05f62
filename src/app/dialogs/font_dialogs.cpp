#include "app/dialogs/font_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/small_dialogs.h"
#include "framework/qt/qt_prompt.h"

namespace dotforge {
namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

QDialogButtonBox* AddButtons(QDialog& dialog, QVBoxLayout& layout, QDialogButtonBox::StandardButtons buttons) {
  auto* box = new QDialogButtonBox(buttons, &dialog);
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(box);
  return box;
}

// An integer field's value; after a message and with the focus back on the field
// when its text is not an integer.
std::optional<int> ReadInteger(QDialog& dialog, QLineEdit& field) {
  const std::optional<int> value = ParseDialogInteger(field.text());
  if (!value) {
    ShowMessageBox(&dialog, kEnterIntegerMessage);
    field.setFocus();
    field.selectAll();
  }
  return value;
}

}  // namespace

CodeEntryDialog::CodeEntryDialog(CodeEntryFields& fields, DialogCheck<CodeEntryFields> ok, QWidget* parent)
    : QDialog(parent), fields_(fields), ok_(std::move(ok)), code_(new QLineEdit(ToQt(fields.code), this)) {
  setWindowTitle(CodeEntryFields::kCaption);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow("Place at Position :", code_);
  layout->addLayout(form);
  // Only OK; closing the window any other way cancels.
  AddButtons(*this, *layout, QDialogButtonBox::Ok);
}

void CodeEntryDialog::accept() {
  fields_.code = code_->text().toStdString();
  if (ok_(fields_)) QDialog::accept();
}

NewFontDialog::NewFontDialog(NewFontFields& fields, NewFontDialogLogic logic, QWidget* parent)
    : QDialog(parent),
      fields_(fields),
      logic_(std::move(logic)),
      fileName_(new QLineEdit(this)),
      fontType_(new QComboBox(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      idOrStartLabel_(new QLabel(this)),
      idOrStart_(new QLineEdit(this)) {
  setWindowTitle(NewFontFields::kCaption);
  fontType_->addItems({"Single Byte", "Double Byte"});
  idOrStart_->setMaxLength(4);
  auto* form = new QFormLayout;
  form->addRow("Filename :", fileName_);
  form->addRow("Font Type :", fontType_);
  form->addRow("Width :", width_);
  form->addRow("Height :", height_);
  form->addRow(idOrStartLabel_, idOrStart_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  AddButtons(*this, *layout, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ShowFields();
  connect(fontType_, &QComboBox::currentIndexChanged, this, &NewFontDialog::OnFontTypeChanged);
}

void NewFontDialog::ShowFields() {
  const QSignalBlocker blocker(fontType_);
  fileName_->setText(ToQt(fields_.fileName));
  fontType_->setCurrentIndex(fields_.fontType);
  width_->setText(QString::number(fields_.width));
  height_->setText(QString::number(fields_.height));
  idOrStartLabel_->setText(ToQt(fields_.idOrStartLabel));
  idOrStart_->setText(ToQt(fields_.idOrStart));
}

bool NewFontDialog::ReadControls() {
  fields_.fileName = fileName_->text().toStdString();
  fields_.idOrStart = idOrStart_->text().toStdString();
  const std::optional<int> width = ReadInteger(*this, *width_);
  if (!width) return false;
  const std::optional<int> height = ReadInteger(*this, *height_);
  if (!height) return false;
  fields_.width = *width;
  fields_.height = *height;
  return true;
}

void NewFontDialog::OnFontTypeChanged(int index) {
  // The other fields are read first, so the type change works on what was typed.
  ReadControls();
  fields_.fontType = index;
  logic_.fontTypeChanged(fields_);
  ShowFields();
}

void NewFontDialog::accept() {
  if (ReadControls() && logic_.ok(fields_)) QDialog::accept();
}

FontPropertiesDialog::FontPropertiesDialog(FontPropertiesFields& fields, DialogCheck<FontPropertiesFields> ok,
                                           QWidget* parent)
    : QDialog(parent),
      fields_(fields),
      ok_(std::move(ok)),
      width_(new QLineEdit(QString::number(fields.width), this)),
      height_(new QLineEdit(QString::number(fields.height), this)),
      count_(new QLineEdit(QString::number(fields.characterCount), this)),
      fontId_(new QLineEdit(ToQt(fields.fontId), this)) {
  setWindowTitle(FontPropertiesFields::kCaption);
  fontId_->setEnabled(fields.fontIdEnabled);
  auto* group = new QGroupBox("Information ", this);
  auto* form = new QFormLayout(group);
  form->addRow("Character Cell Width :", width_);
  form->addRow("Character Cell Height :", height_);
  form->addRow("Number of Characters :", count_);
  form->addRow("Font Download ID :", fontId_);
  form->addRow("Font Type :", new QLabel(ToQt(fields.fontType), group));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  AddButtons(*this, *layout, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void FontPropertiesDialog::accept() {
  const std::optional<int> width = ReadInteger(*this, *width_);
  if (!width) return;
  const std::optional<int> height = ReadInteger(*this, *height_);
  if (!height) return;
  fields_.width = *width;
  fields_.height = *height;
  fields_.fontId = fontId_->text().toStdString();
  if (ok_(fields_)) QDialog::accept();
}

}  // namespace dotforge
