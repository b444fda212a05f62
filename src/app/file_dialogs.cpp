#include "app/file_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "framework/qt/qt_prompt.h"

namespace dotforge {
namespace {

QStringList Filters(const std::vector<FileTypeEntry>& types) {
  QStringList filters;
  for (const FileTypeEntry& entry : types) filters << QString::fromStdString(entry.text);
  return filters;
}

int TypePositionOf(const QStringList& filters, const QString& filter) { return filters.indexOf(filter) + 1; }

QComboBox* DataFormatBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItems({"8 Bits", "16 Bits"});
  return box;
}

// Adds a labelled option control below the chooser's own rows.
void AddOption(QFileDialog& dialog, const QString& label, QWidget* control) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(label, &dialog), row, 0);
  grid->addWidget(control, row, 1);
}

void PrepareChooser(QFileDialog& dialog, const std::string& title, const QStringList& filters, int type,
                    const std::string& fileNameText) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setNameFilters(filters);
  if (type >= 1 && type <= filters.size()) dialog.selectNameFilter(filters[type - 1]);
  dialog.selectFile(QString::fromStdString(fileNameText));
}

}  // namespace

ExportFileDialog::ExportFileDialog(const ExportDialogRequest& request, QWidget* parent)
    : QFileDialog(parent),
      state_(request.typeList, request.defaultFileName, request.dataWordBits, request.fontId),
      dataFormat_(DataFormatBox(this)),
      fontId_(new QLineEdit(this)) {
  setAcceptMode(QFileDialog::AcceptSave);
  PrepareChooser(*this, request.title, Filters(state_.Types()), state_.Type(), state_.FileBuffer());
  AddOption(*this, "Data Format :", dataFormat_);
  AddOption(*this, "Font Download ID :", fontId_);
  ShowOptions();
  connect(this, &QFileDialog::filterSelected, this, &ExportFileDialog::OnTypeChanged);
}

void ExportFileDialog::ShowOptions() {
  const ExportOptionControls controls = state_.Controls();
  dataFormat_->setCurrentIndex(state_.DataWordIndex());
  dataFormat_->setEnabled(controls.dataFormat);
  fontId_->setText(QString::number(state_.FontId()));
  fontId_->setEnabled(controls.fontId);
}

void ExportFileDialog::OnTypeChanged(const QString& filter) {
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  state_.ChangeType(TypePositionOf(nameFilters(), filter));
  ShowOptions();
  selectFile(QString::fromStdString(state_.FileNameText()));
}

void ExportFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  const std::string path = files.front().toStdString();
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  const std::string fileName = QFileInfo(files.front()).fileName().toStdString();
  if (const std::optional<const char*> problem = state_.Confirm(fileName, fontId_->text().toStdString())) {
    ShowMessageBox(this, *problem, MessageKind::Warning);
    return;
  }
  answer_ = ExportDialogAnswer{path, TypePositionOf(nameFilters(), selectedNameFilter()), state_.DataWordIndex(),
                               ReadDialogNumber(fontId_->text().toStdString())};
  QFileDialog::accept();
}

ImportFileDialog::ImportFileDialog(const ImportDialogRequest& request, QWidget* parent)
    : QFileDialog(parent),
      state_(request.typeList, request.defaultFileName, request.width, request.height, request.dataWordBits),
      dataFormat_(DataFormatBox(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)) {
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  if (!request.initialFolder.empty()) setDirectory(QString::fromStdString(request.initialFolder));
  PrepareChooser(*this, request.title, Filters(state_.Types()), state_.Type(), state_.FileBuffer());
  AddOption(*this, "Width :", width_);
  AddOption(*this, "Height :", height_);
  AddOption(*this, "Data Format :", dataFormat_);
  ShowOptions();
  connect(this, &QFileDialog::filterSelected, this, &ImportFileDialog::OnTypeChanged);
}

void ImportFileDialog::ShowOptions() {
  const ImportOptionControls controls = state_.Controls();
  dataFormat_->setCurrentIndex(state_.DataWordIndex());
  dataFormat_->setEnabled(controls.dataFormat);
  width_->setText(QString::number(state_.Width()));
  width_->setEnabled(controls.width);
  height_->setText(QString::number(state_.Height()));
  height_->setEnabled(controls.height);
}

void ImportFileDialog::OnTypeChanged(const QString& filter) {
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  state_.ChangeType(TypePositionOf(nameFilters(), filter));
  ShowOptions();
}

void ImportFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  if (const std::optional<const char*> problem =
          state_.Confirm(width_->text().toStdString(), height_->text().toStdString())) {
    ShowMessageBox(this, *problem, MessageKind::Warning);
    return;
  }
  answer_ = ImportDialogAnswer{files.front().toStdString(), TypePositionOf(nameFilters(), selectedNameFilter()),
                               state_.Width(), state_.Height(), state_.DataWordIndex(), state_.FileNameText()};
  QFileDialog::accept();
}

FontFacesDialog::FontFacesDialog(const FontFacesRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), faces_(new QListWidget(this)), charmaps_(new QListWidget(this)) {
  setWindowTitle("TrueType Font Faces");
  for (const std::string& face : request.faces) faces_->addItem(QString::fromStdString(face));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Faces :", this));
  layout->addWidget(faces_);
  layout->addWidget(new QLabel("Character Maps :", this));
  layout->addWidget(charmaps_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // The map list always shows the maps of the selected face.
  connect(faces_, &QListWidget::currentRowChanged, this, &FontFacesDialog::ShowCharmaps);
  if (!request.faces.empty()) faces_->setCurrentRow(0);
}

void FontFacesDialog::ShowCharmaps(int face) {
  charmaps_->clear();
  if (face < 0 || static_cast<std::size_t>(face) >= request_.charmaps.size()) return;
  for (const std::string& name : request_.charmaps[static_cast<std::size_t>(face)]) {
    charmaps_->addItem(QString::fromStdString(name));
  }
  if (charmaps_->count() > 0) charmaps_->setCurrentRow(0);
}

FontFacesAnswer FontFacesDialog::Answer() const { return {faces_->currentRow(), charmaps_->currentRow()}; }

}  // namespace dotforge
