#include "app/dialogs/file_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/shell/app_messages.h"
#include "formats/firmware/firmware_messages.h"
#include "formats/formats_messages.h"
#include "app/dialogs/face_preview_view.h"
#include "formats/format_table.h"
#include "app/dialogs/small_dialogs.h"
#include "framework/qt/qt_prompt.h"

namespace dotforge {
namespace {

QStringList Filters(const std::vector<FileTypeEntry>& types) {
  QStringList filters;
  for (const FileTypeEntry& entry : types) filters << QString::fromStdString(entry.text);
  return filters;
}

int TypePositionOf(const QStringList& filters, const QString& filter) { return filters.indexOf(filter) + 1; }

bool IsAllFiles(const QString& filter) { return filter == msg::kAllFilesType; }

// The import type list's position of the type a file's extension stands for; 0 for none.
int ImportPositionOfName(const QString& path) {
  const FileFormat* format = FileFormatByExtension(path.toStdString());
  return format ? ImportTypePosition(format->format) : 0;
}

// The export type list's position of the type a file's extension stands for; 0
// for none or a type that is only read.
int ExportPositionOfName(const QString& path) {
  const FileFormat* format = FileFormatByExtension(path.toStdString());
  return format ? ExportTypePosition(format->format) : 0;
}

QComboBox* DataFormatBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItems({"8 Bits", "16 Bits"});
  return box;
}

// Adds a labelled option control below the chooser's own rows; the label, or
// nothing when the chooser has no grid to add to.
QLabel* AddOption(QFileDialog& dialog, const QString& label, QWidget* control) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return nullptr;
  const int row = grid->rowCount();
  auto* text = new QLabel(label, &dialog);
  grid->addWidget(text, row, 0);
  grid->addWidget(control, row, 1);
  return text;
}

// A note across the option rows.
void AddNote(QFileDialog& dialog, QLabel* note) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  note->setWordWrap(true);
  grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
}

QComboBox* EncodingBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const EncodingChoice& choice : ImportEncodings()) box->addItem(choice.text, QString(choice.name));
  return box;
}

QComboBox* FontTypeBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const char* text : ImportFontTypes()) box->addItem(text);
  return box;
}

// The list position of an iconv name; a name the list lacks is added to it, so
// that an answer keeps the code page it was given.
int EncodingPosition(QComboBox& box, const std::string& name) {
  const QString data = QString::fromStdString(name);
  const int position = box.findData(data);
  if (position >= 0) return position;
  box.addItem(data, data);
  return box.count() - 1;
}

// Lists only the files that match `pattern`, as a typed wildcard name asks; the
// next choice of a file type lists by its own pattern again.
void FilterListing(QFileDialog& dialog, const QString& pattern) {
  if (auto* model = dialog.findChild<QFileSystemModel*>()) model->setNameFilters({pattern});
}

// The row of the selected entry of a single-selection list, -1 for none.
int SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

// Under "All Files (*)" the name tells the type: the list shows that type (its
// options follow) and the next OK takes the file as it. A name that stands for no
// type in the list is refused. False when the list stays as it was.
bool SwitchFilter(QFileDialog& dialog, int typePosition) {
  const QStringList filters = dialog.nameFilters();
  if (typePosition < 1 || typePosition > filters.size()) {
    ShowMessageBox(&dialog, msg::kTypeNotFromName, MessageKind::Warning);
    return false;
  }
  dialog.selectNameFilter(filters[typePosition - 1]);
  return true;
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
      state_(request),
      dataFormat_(DataFormatBox(this)),
      fontId_(new QLineEdit(this)),
      baseline_(new QLineEdit(QString::number(state_.Baseline()), this)),
      codePage_(new QLineEdit(this)),
      layout_(new QComboBox(this)),
      bitOrder_(new QComboBox(this)),
      invert_(new QCheckBox(msg::kInvertText, this)),
      art_(new QCheckBox(msg::kArtText, this)) {
  setAcceptMode(QFileDialog::AcceptSave);
  PrepareChooser(*this, request.title, Filters(state_.Types()), state_.Type(), state_.FileBuffer());
  AddOption(*this, "Data Format :", dataFormat_);
  AddOption(*this, "Font Download Id :", fontId_);
  AddOption(*this, msg::kBaselineLabel, baseline_);
  AddOption(*this, msg::kCodePageLabel, codePage_);
  codePage_->setPlaceholderText(msg::kCodePageUnicode);
  AddCArrayOptions(request.carray);
  ShowOptions();
  connect(this, &QFileDialog::filterSelected, this, &ExportFileDialog::OnTypeChanged);
}

void ExportFileDialog::AddCArrayOptions(const CArrayDialogOptions& options) {
  layout_->addItems({msg::kLayoutRows, msg::kLayoutColumns});
  layout_->setCurrentIndex(options.columns ? 1 : 0);
  bitOrder_->addItems({msg::kBitOrderMsb, msg::kBitOrderLsb});
  bitOrder_->setCurrentIndex(options.lsbFirst ? 1 : 0);
  invert_->setChecked(options.invert);
  art_->setChecked(options.art);
  const std::pair<const char*, QWidget*> rows[] = {
      {msg::kLayoutLabel, layout_}, {msg::kBitOrderLabel, bitOrder_}, {msg::kInvertLabel, invert_}, {msg::kArtLabel, art_}};
  for (const auto& [label, control] : rows) {
    if (QLabel* text = AddOption(*this, label, control)) carrayRows_.push_back(text);
    carrayRows_.push_back(control);
  }
}

CArrayDialogOptions ExportFileDialog::CArrayOptions() const {
  return {layout_->currentIndex() == 1, bitOrder_->currentIndex() == 1, invert_->isChecked(), art_->isChecked()};
}

// The C array rows are shown for that type only; their values stay while they
// are hidden.
void ExportFileDialog::ShowOptions() {
  const ExportOptionControls controls = state_.Controls();
  dataFormat_->setCurrentIndex(state_.DataWordIndex());
  dataFormat_->setEnabled(controls.dataFormat);
  fontId_->setText(QString::number(state_.FontId()));
  fontId_->setEnabled(controls.fontId);
  // The baseline and code page the user typed stay across type changes.
  baseline_->setEnabled(controls.baseline);
  codePage_->setEnabled(controls.codePage);
  for (QWidget* row : carrayRows_) row->setVisible(controls.carray);
}

void ExportFileDialog::OnTypeChanged(const QString& filter) {
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  state_.ChangeType(TypePositionOf(nameFilters(), filter));
  ShowOptions();
  selectFile(QString::fromStdString(state_.FileNameText()));
}

void ExportFileDialog::SwitchToTypeOfName(const QString& path, int typePosition) {
  if (!SwitchFilter(*this, typePosition)) return;
  OnTypeChanged(selectedNameFilter());
  selectFile(path);
}

void ExportFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  if (IsAllFiles(selectedNameFilter())) {
    SwitchToTypeOfName(files.front(), ExportPositionOfName(files.front()));
    return;
  }
  const std::string path = files.front().toStdString();
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  const std::string fileName = QFileInfo(files.front()).fileName().toStdString();
  if (HasWildcard(fileName)) {
    FilterListing(*this, QString::fromStdString(fileName));
    return;
  }
  if (const std::optional<const char*> problem =
          state_.Confirm(fileName, fontId_->text().toStdString(), baseline_->text().toStdString())) {
    ShowMessageBox(this, *problem, MessageKind::Warning);
    return;
  }
  const ExportOptionControls controls = state_.Controls();
  answer_ = ExportDialogAnswer{path,
                               TypePositionOf(nameFilters(), selectedNameFilter()),
                               state_.DataWordIndex(),
                               ReadDialogNumber(fontId_->text().toStdString()),
                               controls.baseline ? std::optional<int>(state_.Baseline()) : std::nullopt,
                               controls.codePage ? codePage_->text().trimmed().toStdString() : std::string(),
                               CArrayOptions()};
  QFileDialog::accept();
}

ImportFileDialog::ImportFileDialog(const ImportDialogRequest& request, QWidget* parent)
    : QFileDialog(parent),
      state_(request.typeList, request.defaultFileName, request.width, request.height, request.dataWordBits,
             request.bitmap),
      dataFormat_(DataFormatBox(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      baseline_(new QLineEdit(this)),
      encoding_(EncodingBox(this)),
      codes_(new QLineEdit(this)),
      fontType_(FontTypeBox(this)) {
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  state_.StartOnType(request.type);
  if (!request.initialFolder.empty()) setDirectory(QString::fromStdString(request.initialFolder));
  PrepareChooser(*this, request.title, Filters(state_.Types()), state_.Type(), state_.FileBuffer());
  AddOption(*this, "Width :", width_);
  AddOption(*this, "Height :", height_);
  AddOption(*this, "Data Format :", dataFormat_);
  AddBitmapOptions();
  ShowOptions();
  connect(this, &QFileDialog::filterSelected, this, &ImportFileDialog::OnTypeChanged);
}

void ImportFileDialog::AddBitmapOptions() {
  baseline_->setPlaceholderText(msg::kImportFromTheFont);
  codes_->setPlaceholderText(msg::kImportCodesHint);
  const std::pair<const char*, QWidget*> rows[] = {{msg::kImportBaselineLabel, baseline_},
                                                   {msg::kImportEncodingLabel, encoding_},
                                                   {msg::kImportCodesLabel, codes_},
                                                   {msg::kImportFontTypeLabel, fontType_}};
  for (const auto& [label, control] : rows) {
    if (QLabel* text = AddOption(*this, label, control)) bitmapRows_.push_back(text);
    bitmapRows_.push_back(control);
  }
  auto* note = new QLabel(msg::kImportBitmapHint, this);
  AddNote(*this, note);
  bitmapRows_.push_back(note);
}

void ImportFileDialog::ShowOptions() {
  dataFormat_->setCurrentIndex(state_.DataWordIndex());
  width_->setText(QString::number(state_.Width()));
  height_->setText(QString::number(state_.Height()));
  const BitmapDialogOptions& bitmap = state_.Bitmap();
  baseline_->setText(bitmap.baseline ? QString::number(*bitmap.baseline) : QString());
  encoding_->setCurrentIndex(EncodingPosition(*encoding_, bitmap.encoding));
  codes_->setText(QString::fromStdString(bitmap.codes));
  fontType_->setCurrentIndex(bitmap.fontTypeIndex);
  EnableOptions();
}

// The bitmap font options are shown for the bitmap font types only; their values
// stay while they are hidden.
void ImportFileDialog::EnableOptions() {
  const ImportOptionControls controls = state_.Controls();
  dataFormat_->setEnabled(controls.dataFormat);
  width_->setEnabled(controls.width);
  height_->setEnabled(controls.height);
  for (QWidget* row : bitmapRows_) row->setVisible(controls.bitmap);
}

BitmapOptionTexts ImportFileDialog::BitmapTexts() const {
  return {baseline_->text().toStdString(), encoding_->currentData().toString().toStdString(),
          codes_->text().toStdString(), fontType_->currentIndex()};
}

// The width, height and data format the user typed stay; the typed file name
// gives way to the new type's pattern.
void ImportFileDialog::OnTypeChanged(const QString& filter) {
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  state_.ChangeType(TypePositionOf(nameFilters(), filter));
  EnableOptions();
  selectFile(QString::fromStdString(state_.FileNameText()));
}

void ImportFileDialog::SwitchToTypeOfName(const QString& path, int typePosition) {
  if (!SwitchFilter(*this, typePosition)) return;
  OnTypeChanged(selectedNameFilter());
  selectFile(path);
}

void ImportFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  if (IsAllFiles(selectedNameFilter())) {
    SwitchToTypeOfName(files.front(), ImportPositionOfName(files.front()));
    return;
  }
  state_.SetDataWordIndex(dataFormat_->currentIndex());
  if (const std::optional<const char*> problem =
          state_.Confirm(width_->text().toStdString(), height_->text().toStdString(), BitmapTexts())) {
    ShowMessageBox(this, *problem, MessageKind::Warning);
    return;
  }
  const int type = TypePositionOf(nameFilters(), selectedNameFilter());
  // The bitmap font options stay in the dialog for the next time; only a bitmap font import takes them.
  const BitmapDialogOptions bitmap = ImportControlsFor(type).bitmap ? state_.Bitmap() : BitmapDialogOptions{};
  answer_ = ImportDialogAnswer{files.front().toStdString(), type,
                               state_.Width(),
                               state_.Height(),
                               state_.DataWordIndex(),
                               state_.FileNameText(),
                               bitmap};
  QFileDialog::accept();
}

FontFacesDialog::FontFacesDialog(const FontFacesRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), faces_(new QListWidget(this)), charmaps_(new QListWidget(this)) {
  setWindowTitle("TrueType Font Faces");
  for (const std::string& face : request.faces) faces_->addItem(QString::fromStdString(face));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Available font faces", this));
  layout->addWidget(faces_);
  layout->addWidget(new QLabel("Available characters mapping", this));
  layout->addWidget(charmaps_);
  layout->addWidget(BuildKeepCodesBox());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &FontFacesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // Nothing is selected at first; the map list shows the maps of the last face
  // until a face is selected, then always those of the selected face.
  connect(faces_, &QListWidget::itemSelectionChanged, this, [this] {
    ShowCharmaps(SelectedRow(*faces_));
    UpdatePreview();
  });
  if (!request.faces.empty()) ShowCharmaps(static_cast<int>(request.faces.size()) - 1);
  UpdatePreview();
}

// The keep-codes controls, off at first: the code page, the pixel size and the
// baseline (empty for the defaults the preview names), and the preview.
QGroupBox* FontFacesDialog::BuildKeepCodesBox() {
  keepCodes_ = new QGroupBox(msg::kFacesKeepCodes, this);
  keepCodes_->setCheckable(true);
  keepCodes_->setChecked(false);
  encoding_ = new QComboBox(keepCodes_);
  for (const CodePageChoice& page : request_.codePages) encoding_->addItem(QString::fromStdString(page.label));
  pixelSize_ = new QLineEdit(keepCodes_);
  baseline_ = new QLineEdit(keepCodes_);
  preview_ = new FacePreviewView(keepCodes_);
  auto* form = new QFormLayout(keepCodes_);
  form->addRow(msg::kFacesEncoding, encoding_);
  form->addRow(msg::kFacesPixelSize, pixelSize_);
  form->addRow(msg::kFacesBaseline, baseline_);
  form->addRow(new QLabel(msg::kFacesPreview, keepCodes_));
  form->addRow(preview_);
  preview_->setVisible(static_cast<bool>(request_.preview));
  connect(keepCodes_, &QGroupBox::toggled, this, [this](bool on) {
    // The Unicode map gives the codes that are kept.
    charmaps_->setEnabled(!on);
    UpdatePreview();
  });
  connect(encoding_, &QComboBox::currentIndexChanged, this, &FontFacesDialog::UpdatePreview);
  connect(pixelSize_, &QLineEdit::textChanged, this, &FontFacesDialog::UpdatePreview);
  connect(baseline_, &QLineEdit::textChanged, this, &FontFacesDialog::UpdatePreview);
  return keepCodes_;
}

void FontFacesDialog::ShowCharmaps(int face) {
  if (face < 0) return;
  charmaps_->clear();
  if (static_cast<std::size_t>(face) >= request_.charmaps.size()) return;
  for (const std::string& name : request_.charmaps[static_cast<std::size_t>(face)]) {
    charmaps_->addItem(QString::fromStdString(name));
  }
}

void FontFacesDialog::UpdatePreview() {
  if (!request_.preview || !keepCodes_->isChecked()) {
    preview_->SetPreview({});
    return;
  }
  const FacePreview preview = request_.preview(Answer());
  pixelSize_->setPlaceholderText(preview.pixelSize > 0 ? msg::kFacesDefault + QString::number(preview.pixelSize)
                                                       : QString());
  baseline_->setPlaceholderText(preview.problem.empty() ? msg::kFacesDefault + QString::number(preview.baseline)
                                                        : QString());
  preview_->SetPreview(preview);
}

FontFacesAnswer FontFacesDialog::Answer() const {
  FontFacesAnswer answer(SelectedRow(*faces_), SelectedRow(*charmaps_));
  answer.keepCodes = keepCodes_->isChecked();
  const int page = encoding_->currentIndex();
  if (page >= 0 && static_cast<std::size_t>(page) < request_.codePages.size()) {
    answer.encoding = request_.codePages[static_cast<std::size_t>(page)].name;
  }
  answer.pixelSize = ParseDialogInteger(pixelSize_->text()).value_or(0);
  if (!baseline_->text().trimmed().isEmpty()) answer.baseline = ParseDialogInteger(baseline_->text());
  return answer;
}

bool FontFacesDialog::NumbersAreIntegers() {
  if (!keepCodes_->isChecked()) return true;
  for (QLineEdit* field : {pixelSize_, baseline_}) {
    if (field->text().trimmed().isEmpty() || ParseDialogInteger(field->text())) continue;
    ShowMessageBox(this, kEnterIntegerMessage);
    field->setFocus();
    field->selectAll();
    return false;
  }
  return true;
}

void FontFacesDialog::accept() {
  if (!NumbersAreIntegers()) return;
  if (const std::optional<const char*> problem = CheckFacesChoice(request_, Answer())) {
    ShowMessageBox(this, *problem, MessageKind::Warning);
    return;
  }
  QDialog::accept();
}

}  // namespace dotforge
