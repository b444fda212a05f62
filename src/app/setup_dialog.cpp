#include "app/setup_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dotforge {
namespace {

template <std::size_t N>
QButtonGroup* RadioGroup(QWidget* parent, QBoxLayout* layout, const std::array<const char*, N>& names, int checked) {
  auto* group = new QButtonGroup(parent);
  for (std::size_t i = 0; i < N; ++i) {
    auto* button = new QRadioButton(names[i], parent);
    group->addButton(button, static_cast<int>(i));
    layout->addWidget(button);
  }
  if (QAbstractButton* button = group->button(checked)) button->setChecked(true);
  return group;
}

}  // namespace

SetupDialog::SetupDialog(const CommSettings& current, bool usbAvailable, QWidget* parent)
    : QDialog(parent),
      logic_(current, usbAvailable),
      serial_(new QRadioButton("Serial", this)),
      usb_(new QRadioButton("USB", this)),
      usbDevice_(new QLabel(QString::fromStdString(logic_.UsbDeviceText()), this)),
      port_(new QComboBox(this)),
      baud_(new QComboBox(this)) {
  setWindowTitle(SetupCommunicationDialog::kTitle);
  const CommSettings& values = logic_.Values();
  auto* layout = new QVBoxLayout(this);

  auto* interfaceBox = new QGroupBox("Interface", this);
  auto* interfaceColumn = new QVBoxLayout(interfaceBox);
  auto* interfaceRow = new QHBoxLayout;
  interfaceRow->addWidget(serial_);
  interfaceRow->addWidget(usb_);
  interfaceColumn->addLayout(interfaceRow);
  interfaceColumn->addWidget(usbDevice_);
  usb_->setEnabled(usbAvailable);
  usbDevice_->setVisible(usbAvailable);
  (values.interfaceType == kInterfaceSerial ? serial_ : usb_)->setChecked(true);
  layout->addWidget(interfaceBox);

  for (const char* name : kPortNames) port_->addItem(name);
  port_->setCurrentIndex(values.serialPort);
  for (const char* rate : SetupCommunicationDialog::kBaudRateTexts) baud_->addItem(rate);
  baud_->setCurrentIndex(values.baudRate);
  auto* lineForm = new QFormLayout;
  lineForm->addRow("Serial Port :", port_);
  lineForm->addRow("Baud Rate :", baud_);
  layout->addLayout(lineForm);

  auto* parityBox = new QGroupBox("Parity", this);
  parity_ = RadioGroup(parityBox, new QHBoxLayout(parityBox), kParityNames, values.parity);
  layout->addWidget(parityBox);
  auto* flowBox = new QGroupBox("Flow Control", this);
  flow_ = RadioGroup(flowBox, new QHBoxLayout(flowBox), kFlowControlNames, values.flowControl);
  layout->addWidget(flowBox);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(serial_, &QRadioButton::clicked, this, [this] {
    logic_.ClickSerial();
    ShowEnabling();
  });
  connect(usb_, &QRadioButton::clicked, this, [this] {
    logic_.ClickUsb();
    ShowEnabling();
  });
  connect(port_, &QComboBox::currentIndexChanged, this, [this](int index) { logic_.SelectPort(index); });
  connect(baud_, &QComboBox::currentIndexChanged, this, [this](int index) { logic_.SelectBaudRate(index); });
  connect(parity_, &QButtonGroup::idClicked, this, [this](int id) { logic_.SelectParity(id); });
  connect(flow_, &QButtonGroup::idClicked, this, [this](int id) { logic_.SelectFlowControl(id); });
  ShowEnabling();
}

void SetupDialog::ShowEnabling() {
  const bool serial = logic_.IsEnabled(SetupCommunicationDialog::kSerialPortList);
  port_->setEnabled(serial);
  baud_->setEnabled(logic_.IsEnabled(SetupCommunicationDialog::kBaudRateList));
  for (QAbstractButton* button : parity_->buttons()) button->setEnabled(serial);
  for (QAbstractButton* button : flow_->buttons()) button->setEnabled(serial);
  usbDevice_->setEnabled(logic_.Values().interfaceType == kInterfaceUsb);
}

}  // namespace dotforge
