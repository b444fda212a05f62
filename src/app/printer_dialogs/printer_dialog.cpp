#include "app/printer_dialogs/printer_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "framework/qt/qt_prompt.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"

namespace dotforge {
namespace {

constexpr int kDrainIntervalMs = 30;

}  // namespace

bool ConfirmErasePrinterFonts(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, kApplicationName, msg::kConfirmErase, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

PrinterDialog::PrinterDialog(PrinterDialogKind kind, std::shared_ptr<WorkerSink> sink, QWidget* parent)
    : QDialog(parent), sink_(std::move(sink)) {
  auto* layout = new QVBoxLayout(this);
  switch (kind) {
    case PrinterDialogKind::Download:
      BuildDownload();
      break;
    case PrinterDialogKind::FontInfo:
      BuildFontInfo();
      break;
    case PrinterDialogKind::Memory:
      BuildMemory();
      break;
    case PrinterDialogKind::Erase:
      BuildErase();
      break;
  }
  const bool download = kind == PrinterDialogKind::Download;
  auto* buttons = new QDialogButtonBox(
      download ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok),
      this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setEnabled(false);
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(&drainTimer_, &QTimer::timeout, this, &PrinterDialog::DrainSink);
  drainTimer_.start(kDrainIntervalMs);
}

PrinterDialog::~PrinterDialog() { sink_->Detach(); }

QLabel* PrinterDialog::AddField(int controlId) {
  auto* field = new QLabel(this);
  field->setFrameShape(QFrame::StyledPanel);
  field->setMinimumWidth(80);
  fields_[controlId] = field;
  return field;
}

void PrinterDialog::BuildDownload() {
  setWindowTitle(printer_ui::kDownloadTitle);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setMinimumWidth(320);
  layout()->addWidget(progress_);
  layout()->addWidget(AddField(printer_ui::kDownloadPercentText));
}

void PrinterDialog::BuildFontInfo() {
  setWindowTitle(printer_ui::kFontInfoTitle);
  auto* grid = new QGridLayout;
  for (int slot = 0; slot < printer_ui::kFontSlots; ++slot) {
    grid->addWidget(new QLabel(printer_ui::kSlotHeadings[slot], this), 0, slot + 1, Qt::AlignHCenter);
  }
  const std::array<const std::array<int, printer_ui::kFontSlots>*, 6> rows{
      &printer_ui::kFontIdFields,    &printer_ui::kFontNameFields,  &printer_ui::kFontWidthFields,
      &printer_ui::kFontHeightFields, &printer_ui::kFontCountFields, &printer_ui::kFontChecksumFields};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const int line = static_cast<int>(row) + 1;
    grid->addWidget(new QLabel(printer_ui::kFontInfoRowLabels[row], this), line, 0);
    for (int slot = 0; slot < printer_ui::kFontSlots; ++slot) {
      grid->addWidget(AddField((*rows[row])[static_cast<std::size_t>(slot)]), line, slot + 1);
    }
  }
  static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void PrinterDialog::BuildMemory() {
  setWindowTitle(printer_ui::kMemoryTitle);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(printer_ui::kMemoryLabel, this));
  row->addWidget(AddField(printer_ui::kMemoryField));
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void PrinterDialog::BuildErase() {
  setWindowTitle(printer_ui::kEraseTitle);
  underWay_ = {new QLabel(printer_ui::kEraseInProgress, this), new QLabel(printer_ui::kEraseMayTake, this)};
  for (QLabel* line : underWay_) layout()->addWidget(line);
  layout()->addWidget(AddField(printer_ui::kEraseStatusText));
}

QString PrinterDialog::FieldText(int controlId) const {
  const auto found = fields_.find(controlId);
  return found == fields_.end() ? QString() : found->second->text();
}

void PrinterDialog::DrainSink() {
  WorkerSink::Update update = sink_->Drain();
  if (progress_ && !update.progress.empty()) progress_->setValue(update.progress.back());
  for (const auto& [id, text] : update.fields) {
    if (const auto found = fields_.find(id); found != fields_.end()) {
      found->second->setText(QString::fromStdString(text));
    }
  }
  ok_->setEnabled(update.okEnabled);
  if (update.finished) Finished();
  // Messages last: a message box runs its own loop, and the fields are shown first.
  for (const std::string& message : update.messages) ShowMessageBox(this, message);
}

void PrinterDialog::Finished() {
  drainTimer_.stop();
  if (cancel_) cancel_->setEnabled(false);
  if (underWay_.empty()) return;
  // The erase is over, done or not: the status says which.
  for (QLabel* line : underWay_) line->hide();
  QLabel* status = fields_.at(printer_ui::kEraseStatusText);
  if (status->text() != msg::kEraseIsComplete) status->setText(msg::kEraseNotConfirmed);
}

void PrinterDialog::reject() {
  if (cancel_ && !sink_->Finished()) {
    sink_->RequestCancel();
    return;
  }
  QDialog::reject();
}

void PrinterDialog::done(int result) {
  drainTimer_.stop();
  sink_->Detach();
  QDialog::done(result);
}

}  // namespace dotforge
