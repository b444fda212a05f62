#include "app/printer_dialogs/escpos_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/shell/app_messages.h"
#include "comm/setup_communication.h"
#include "escpos/escpos_messages.h"
#include "preview/preview_render.h"
#include "receipt/table_lines.h"

namespace dotforge {
namespace {

constexpr int kPollMs = 50;
constexpr int kPortListMinimumCharacters = 30;
// Room for a host name or device path without scrolling.
constexpr int kMinimumWidth = 440;

// The paper list's widths in dots, before its last entry, "Other".
constexpr std::int32_t kPaperWidths[] = {kPaper80mmDots, kPaper58mmDots};
constexpr int kOtherPaper = 2;

// The connection list's order.
constexpr EscPosLinkKind kKinds[] = {EscPosLinkKind::Serial, EscPosLinkKind::Network, EscPosLinkKind::Device};

int KindIndex(EscPosLinkKind kind) {
  for (int i = 0; i < 3; ++i) {
    if (kKinds[i] == kind) return i;
  }
  return 0;
}

QComboBox* NamedList(QWidget* parent, std::initializer_list<const char*> names) {
  auto* list = new QComboBox(parent);
  for (const char* name : names) list->addItem(name);
  return list;
}

template <std::size_t N>
QComboBox* NamedList(QWidget* parent, const std::array<const char*, N>& names) {
  auto* list = new QComboBox(parent);
  for (const char* name : names) list->addItem(name);
  return list;
}

}  // namespace

EscPosDialog::EscPosDialog(const CDotforgeImportDoc& fontSet, SettingsStore& store, const CommSettings& link,
                           const std::vector<SerialPortEntry>& present, Prompt& prompt, QWidget* parent,
                           std::optional<PicturePrint> picture)
    : QDialog(parent), fontSet_(fontSet), store_(store), link_(link), prompt_(prompt), picture_(std::move(picture)) {
  const EscPosChoices choices = LoadEscPosChoices(store_, link_);
  loaded_ = choices;
  ports_ = PortChoices(choices.serial, present);
  setWindowTitle(!picture_ ? msg::kEscPosTitle : picture_->table ? msg::kEscPosTableTitle : msg::kEscPosPictureTitle);
  setMinimumWidth(kMinimumWidth);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  kind_ = NamedList(this, {msg::kEscPosSerial, msg::kEscPosNetwork, msg::kEscPosDevice});
  form->addRow(msg::kEscPosConnection, kind_);
  layout->addLayout(form);

  pages_ = new QStackedWidget(this);
  pages_->addWidget(BuildSerialPage());
  pages_->addWidget(BuildNetworkPage());
  pages_->addWidget(BuildDevicePage());
  connect(kind_, &QComboBox::currentIndexChanged, this, &EscPosDialog::ShowPage);
  layout->addWidget(pages_);

  if (picture_) {
    BuildPictureFields(layout);
  } else {
    BuildCharacterFields(layout);
  }

  progress_ = new QProgressBar(this);
  progress_->setValue(0);
  layout->addWidget(progress_);
  status_ = new QLabel(this);
  layout->addWidget(status_);

  auto* buttons = new QDialogButtonBox(this);
  send_ = buttons->addButton(picture_ ? msg::kEscPosPrint : msg::kEscPosSend, QDialogButtonBox::ActionRole);
  send_->setDefault(true);
  cancel_ = buttons->addButton(msg::kEscPosClose, QDialogButtonBox::RejectRole);
  connect(send_, &QPushButton::clicked, this, &EscPosDialog::Send);
  connect(cancel_, &QPushButton::clicked, this, &EscPosDialog::reject);
  layout->addWidget(buttons);

  ShowChoices(choices);
  pollTimer_.setInterval(kPollMs);
  connect(&pollTimer_, &QTimer::timeout, this, &EscPosDialog::PollJob);
}

EscPosDialog::~EscPosDialog() = default;

void EscPosDialog::BuildCharacterFields(QVBoxLayout* layout) {
  auto* stream = new QFormLayout;
  font_ = NamedList(this, {msg::kEscPosFontA, msg::kEscPosFontB});
  font_->setCurrentIndex(FontForCell(fontSet_.width, fontSet_.height) == EscPosFont::B ? 1 : 0);
  stream->addRow(msg::kEscPosFontLabel, font_);
  codePage_ = NamedList(this, kEscPosCodePages);
  codePage_->setEditable(true);
  stream->addRow(msg::kEscPosCodePageLabel, codePage_);
  sample_ = new QLineEdit(QString::fromStdString(CharacterSample(fontSet_)), this);
  stream->addRow(msg::kEscPosSampleLabel, sample_);
  layout->addLayout(stream);
  // The characters left out depend on the set alone: told here once, not at
  // every Send.
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  if (const std::size_t skipped = UnsendableCharacters(fontSet_); skipped > 0) {
    note_->setText(QString::fromStdString(msg::FormatMessage(msg::kEscPosSkipped, {std::to_string(skipped)})));
  } else {
    note_->hide();
  }
  layout->addWidget(note_);
}

void EscPosDialog::BuildPictureFields(QVBoxLayout* layout) {
  auto* form = new QFormLayout;
  auto* paperRow = new QHBoxLayout;
  paper_ = NamedList(this, {msg::kEscPosPaper80, msg::kEscPosPaper58, msg::kEscPosPaperOther});
  paperDots_ = new QSpinBox(this);
  paperDots_->setRange(kMinPaperDots, kMaxPaperDots);
  paperDots_->setSuffix(msg::kEscPosPaperDotsSuffix);
  paperRow->addWidget(paper_, 1);
  paperRow->addWidget(paperDots_);
  // A row of two fields: the label's mnemonic goes to the list.
  auto* paperLabel = new QLabel(msg::kEscPosPaperLabel, this);
  paperLabel->setBuddy(paper_);
  form->addRow(paperLabel, paperRow);
  connect(paper_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0 && index < kOtherPaper) paperDots_->setValue(kPaperWidths[index]);
  });
  connect(paperDots_, &QSpinBox::valueChanged, this, &EscPosDialog::ShowPaperDots);
  pictureMode_ = NamedList(this, {msg::kEscPosRaster, msg::kEscPosColumns});
  form->addRow(msg::kEscPosPictureLabel, pictureMode_);
  zoom_ = new QSpinBox(this);
  zoom_->setRange(kMinPreviewZoom, kMaxPreviewZoom);
  zoom_->setValue(std::clamp(picture_->text.zoom, kMinPreviewZoom, kMaxPreviewZoom));
  form->addRow(msg::kEscPosZoomLabel, zoom_);
  layout->addLayout(form);
}

void EscPosDialog::ShowPaperDots(int dots) {
  const auto preset = std::find(std::begin(kPaperWidths), std::end(kPaperWidths), dots);
  const int index = static_cast<int>(preset - std::begin(kPaperWidths));
  const QSignalBlocker quiet(paper_);
  paper_->setCurrentIndex(index);
}

QWidget* EscPosDialog::BuildSerialPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->setContentsMargins(0, 0, 0, 0);
  serialPort_ = new QComboBox(page);
  for (const PortChoice& choice : ports_) serialPort_->addItem(QString::fromStdString(PortChoiceText(choice)));
  serialPort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  serialPort_->setMinimumContentsLength(kPortListMinimumCharacters);
  form->addRow(msg::kEscPosPortLabel, serialPort_);
  baud_ = NamedList(page, SetupCommunicationDialog::kBaudRateTexts);
  form->addRow(msg::kEscPosBaudLabel, baud_);
  parity_ = NamedList(page, kParityNames);
  form->addRow(msg::kEscPosParityLabel, parity_);
  flow_ = NamedList(page, kFlowControlNames);
  form->addRow(msg::kEscPosFlowLabel, flow_);
  return page;
}

QWidget* EscPosDialog::BuildNetworkPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->setContentsMargins(0, 0, 0, 0);
  host_ = new QLineEdit(page);
  form->addRow(msg::kEscPosHostLabel, host_);
  port_ = new QSpinBox(page);
  port_->setRange(1, 65535);
  form->addRow(msg::kEscPosTcpPortLabel, port_);
  return page;
}

QWidget* EscPosDialog::BuildDevicePage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->setContentsMargins(0, 0, 0, 0);
  device_ = new QLineEdit(page);
  form->addRow(msg::kEscPosDeviceLabel, device_);
  return page;
}

void EscPosDialog::ShowPage(int index) {
  // Only the shown page counts for the dialog's size, so no room is left
  // empty below the network or device fields.
  for (int i = 0; i < pages_->count(); ++i) {
    const auto policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    pages_->widget(i)->setSizePolicy(policy, policy);
  }
  pages_->setCurrentIndex(index);
  adjustSize();
}

void EscPosDialog::ShowChoices(const EscPosChoices& choices) {
  kind_->setCurrentIndex(KindIndex(choices.kind));
  ShowPage(kind_->currentIndex());
  serialPort_->setCurrentIndex(ChosenPort(choices.serial, ports_));
  baud_->setCurrentIndex(choices.serial.baudRate);
  parity_->setCurrentIndex(choices.serial.parity);
  flow_->setCurrentIndex(choices.serial.flowControl);
  host_->setText(QString::fromStdString(choices.host));
  port_->setValue(choices.port);
  device_->setText(QString::fromStdString(choices.devicePath));
  if (codePage_) codePage_->setCurrentText(QString::fromStdString(choices.codePage));
  if (paperDots_) {
    paperDots_->setValue(choices.paperDots);
    ShowPaperDots(choices.paperDots);
    pictureMode_->setCurrentIndex(choices.pictureMode == PictureMode::Raster ? 0 : 1);
  }
}

EscPosChoices EscPosDialog::Choices() const {
  EscPosChoices choices = loaded_;
  choices.kind = kKinds[kind_->currentIndex()];
  choices.serial = link_;
  const int portIndex = serialPort_->currentIndex();
  if (portIndex >= 0 && portIndex < static_cast<int>(ports_.size())) {
    const PortChoice& port = ports_[static_cast<std::size_t>(portIndex)];
    choices.serial.serialPort = port.portIndex >= 0 ? port.portIndex : link_.serialPort;
    choices.serial.serialDevice = port.portIndex >= 0 ? std::string() : port.name;
  }
  choices.serial.baudRate = baud_->currentIndex();
  choices.serial.parity = parity_->currentIndex();
  choices.serial.flowControl = flow_->currentIndex();
  choices.host = host_->text().trimmed().toStdString();
  choices.port = static_cast<std::uint16_t>(port_->value());
  choices.devicePath = device_->text().trimmed().toStdString();
  if (codePage_) choices.codePage = codePage_->currentText().trimmed().toStdString();
  if (paperDots_) {
    choices.paperDots = paperDots_->value();
    choices.pictureMode = pictureMode_->currentIndex() == 0 ? PictureMode::Raster : PictureMode::Column;
  }
  return choices;
}

EscPosFont EscPosDialog::Font() const { return font_->currentIndex() == 1 ? EscPosFont::B : EscPosFont::A; }

QString EscPosDialog::SampleText() const { return sample_ ? sample_->text() : QString(); }

void EscPosDialog::Send() {
  if (job_) return;
  const EscPosChoices choices = Choices();
  const std::optional<EscPosTarget> target = TargetOf(choices, link_, prompt_);
  if (!target) return;
  std::optional<CommandStream> stream = picture_ ? PictureStream(choices) : CharacterStream(choices);
  if (!stream) return;
  SaveEscPosChoices(store_, choices);
  progress_->setRange(0, static_cast<int>(stream->bytes.size()));
  progress_->setValue(0);
  status_->clear();
  job_ = std::make_unique<EscPosSendJob>(*target, std::move(*stream));
  ShowSending(true);
  pollTimer_.start();
}

std::optional<CommandStream> EscPosDialog::CharacterStream(const EscPosChoices& choices) {
  EscPosStreamOptions options;
  options.font = Font();
  options.sampleText = sample_->text().toStdString();
  options.codePage = choices.codePage;
  std::optional<EscPosStream> stream = BuildEscPosStream(fontSet_, options, prompt_);
  if (!stream) return std::nullopt;
  return std::move(*stream);
}

std::optional<CommandStream> EscPosDialog::PictureStream(const EscPosChoices& choices) {
  std::string error;
  std::optional<std::vector<ReceiptLine>> lines;
  if (picture_->table) {
    TablePrintRequest request;
    request.zoom = zoom_->value();
    request.paperDots = choices.paperDots;
    lines = TableReceiptLines(fontSet_, request, error);
  } else {
    TextPrintRequest request = picture_->text;
    request.zoom = zoom_->value();
    request.paperDots = choices.paperDots;
    lines = TextReceiptLines(fontSet_, request, error);
  }
  if (!lines) {
    prompt_.ShowMessage(error);
    return std::nullopt;
  }
  PictureStreamOptions options;
  options.mode = choices.pictureMode;
  return BuildPictureStream(*lines, options);
}

void EscPosDialog::PollJob() {
  if (!job_) return;
  progress_->setValue(static_cast<int>(job_->Sent()));
  const std::optional<EscPosSendResult> result = job_->Result();
  if (!result) return;
  pollTimer_.stop();
  job_.reset();
  ShowSending(false);
  switch (result->status) {
    case EscPosSendResult::Status::Sent:
      progress_->setValue(progress_->maximum());
      status_->setText(picture_ ? msg::kEscPosPictureSent : msg::kEscPosSent);
      break;
    case EscPosSendResult::Status::Cancelled:
      status_->setText(msg::kEscPosCancelled);
      break;
    case EscPosSendResult::Status::Failed:
      status_->clear();
      prompt_.ShowMessage(result->message);
      break;
  }
}

void EscPosDialog::ShowSending(bool sending) {
  for (QWidget* control : std::initializer_list<QWidget*>{kind_, pages_, font_, codePage_, sample_, paper_, paperDots_,
                                                          pictureMode_, zoom_, send_}) {
    if (control) control->setEnabled(!sending);
  }
  cancel_->setText(sending ? msg::kEscPosCancel : msg::kEscPosClose);
}

void EscPosDialog::reject() {
  // Cancel while sending ends the send (after the command in progress) and
  // keeps the dialog; Escape or Close when idle closes it.
  if (job_) {
    job_->Cancel();
    return;
  }
  QDialog::reject();
}

}  // namespace dotforge
