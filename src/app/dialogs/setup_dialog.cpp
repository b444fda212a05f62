#include "app/dialogs/setup_dialog.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace dotforge {
namespace {

using Logic = SetupCommunicationDialog;

// Room for a short device path in the closed list; the opened list is as wide
// as its longest entry.
constexpr int kPortListMinimumCharacters = 30;

}  // namespace

SetupDialog::SetupDialog(const CommSettings& current, bool usbAvailable, const std::vector<SerialPortEntry>& present,
                         Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      logic_(current, usbAvailable, present),
      prompt_(prompt) {
  // The widgets are made top to bottom, left to right: that is their tab order,
  // and a group box's mnemonic gives the focus to the first one made after it.
  setWindowTitle(Logic::kTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildInterfaceRow());
  layout->addWidget(BuildParameters());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  ShowPortDevice();
  ShowEnabling();
}

QLayout* SetupDialog::BuildInterfaceRow() {
  serial_ = new QRadioButton(Logic::kSerialText, this);
  usb_ = new QRadioButton(Logic::kUsbText, this);
  auto* row = new QHBoxLayout;
  row->addWidget(serial_);
  row->addWidget(usb_);
  row->addStretch();
  usbDevice_ = new QLabel(QString::fromStdString(logic_.UsbDeviceText()), this);
  usbDevice_->setVisible(!logic_.UsbDeviceText().empty());
  auto* column = new QVBoxLayout;
  column->addLayout(row);
  column->addWidget(usbDevice_);
  controls_[Logic::kSerialRadio] = serial_;
  controls_[Logic::kUsbRadio] = usb_;
  (logic_.Values().interfaceType == kInterfaceSerial ? serial_ : usb_)->setChecked(true);
  connect(serial_, &QRadioButton::clicked, this, [this] {
    logic_.ClickSerial();
    ShowEnabling();
  });
  connect(usb_, &QRadioButton::clicked, this, [this] {
    logic_.ClickUsb();
    ShowEnabling();
  });
  return column;
}

QWidget* SetupDialog::BuildParameters() {
  auto* parameters = new QGroupBox(Logic::kParametersTitle, this);
  auto* grid = new QGridLayout(parameters);
  grid->addWidget(BuildSerialPortGroup(parameters), 0, 0, 1, 2);

  auto* baudLabel = new QLabel(Logic::kBaudRateText, parameters);
  baud_ = new QComboBox(parameters);
  for (const char* rate : Logic::kBaudRateTexts) baud_->addItem(rate);
  baud_->setCurrentIndex(logic_.Values().baudRate);
  connect(baud_, &QComboBox::currentIndexChanged, this, [this](int index) { logic_.SelectBaudRate(index); });
  auto* baudColumn = new QVBoxLayout;
  baudColumn->addWidget(baudLabel);
  baudColumn->addWidget(baud_);
  baudColumn->addStretch();
  grid->addLayout(baudColumn, 0, 2);
  controls_[Logic::kBaudRateLabel] = baudLabel;
  controls_[Logic::kBaudRateList] = baud_;

  struct RadioGroup {
    const char* title;
    int groupId;
    int firstRadioId;
    const std::array<const char*, 3>& names;
    int checked;
    QButtonGroup*& buttons;
    void (Logic::*select)(int);
  };
  const RadioGroup groups[] = {
      {Logic::kParityTitle, Logic::kParityGroup, Logic::kParityNoneRadio, kParityNames, logic_.Values().parity,
       parity_, &Logic::SelectParity},
      {Logic::kFlowControlTitle, Logic::kFlowGroup, Logic::kFlowNoneRadio, kFlowControlNames,
       logic_.Values().flowControl, flow_, &Logic::SelectFlowControl},
  };
  int column = 0;
  for (const RadioGroup& group : groups) {
    auto* box = new QGroupBox(group.title, parameters);
    auto* radios = new QVBoxLayout(box);
    group.buttons = new QButtonGroup(box);
    for (std::size_t i = 0; i < group.names.size(); ++i) {
      auto* button = new QRadioButton(group.names[i], box);
      group.buttons->addButton(button, static_cast<int>(i));
      radios->addWidget(button);
      controls_[group.firstRadioId + static_cast<int>(i)] = button;
    }
    if (QAbstractButton* button = group.buttons->button(group.checked)) button->setChecked(true);
    const auto select = group.select;
    connect(group.buttons, &QButtonGroup::idClicked, this, [this, select](int id) { (logic_.*select)(id); });
    controls_[group.groupId] = box;
    grid->addWidget(box, 1, column++);
  }
  grid->setColumnStretch(2, 1);
  return parameters;
}

QWidget* SetupDialog::BuildSerialPortGroup(QWidget* parameters) {
  auto* box = new QGroupBox(Logic::kSerialPortTitle, parameters);
  auto* layout = new QGridLayout(box);
  port_ = new QComboBox(box);

  QStringList devicePaths;
  for (const PortChoice& choice : logic_.Ports()) {
    const QString text = QString::fromStdString(PortChoiceText(choice));
    port_->addItem(text);
    port_->setItemData(port_->count() - 1, text, Qt::ToolTipRole);
    if (!choice.kernelPath.empty()) devicePaths << QString::fromStdString(choice.name);
  }
  port_->setCurrentIndex(logic_.SelectedPort());
  port_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  port_->setMinimumContentsLength(kPortListMinimumCharacters);
  port_->view()->setMinimumWidth(port_->view()->sizeHintForColumn(0));
  connect(port_, &QComboBox::currentIndexChanged, this, [this](int index) {
    logic_.SelectPort(index);
    ShowPortDevice();
    ShowEnabling();
  });
  layout->addWidget(port_, 0, 0, 1, 2);

  auto* deviceLabel = new QLabel(Logic::kPortDeviceText, box);
  portDevice_ = new QComboBox(box);
  deviceLabel->setBuddy(portDevice_);
  portDevice_->setEditable(true);
  portDevice_->setInsertPolicy(QComboBox::NoInsert);
  portDevice_->addItems(devicePaths);
  portDevice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  portDevice_->setMinimumContentsLength(kPortListMinimumCharacters);
  portDevice_->view()->setMinimumWidth(portDevice_->view()->sizeHintForColumn(0));
  connect(portDevice_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { logic_.SetPortDevice(text.toStdString()); });
  layout->addWidget(deviceLabel, 1, 0);
  layout->addWidget(portDevice_, 1, 1);
  layout->setColumnStretch(1, 1);

  controls_[Logic::kSerialPortGroup] = box;
  controls_[Logic::kSerialPortList] = port_;
  controls_[Logic::kPortDeviceLabel] = deviceLabel;
  controls_[Logic::kPortDeviceField] = portDevice_;
  return box;
}

QWidget* SetupDialog::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

void SetupDialog::ShowPortDevice() {
  const QSignalBlocker blocker(portDevice_);
  const QString device = QString::fromStdString(logic_.PortDeviceText());
  portDevice_->setEditText(device);
  portDevice_->setToolTip(device);
  port_->setToolTip(port_->currentText());
}

void SetupDialog::ShowEnabling() {
  for (const auto& [id, control] : controls_) control->setEnabled(logic_.IsEnabled(id));
  usbDevice_->setEnabled(logic_.Values().interfaceType == kInterfaceUsb);
}

void SetupDialog::accept() {
  if (logic_.CheckChosenDevice(prompt_)) QDialog::accept();
}

}  // namespace dotforge
