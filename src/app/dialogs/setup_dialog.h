#pragma once
// The "Setup Communication" dialog: interface type, serial port, baud rate,
// parity and flow control. Its logic (values, port list, enabling, the check and
// what OK does) is the comm library's; this class only shows it.

#include <QDialog>
#include <map>
#include <vector>

#include "comm/setup_communication.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLayout;
class QRadioButton;

namespace dotforge {

class SetupDialog : public QDialog {
  Q_OBJECT
 public:
  // `present`: the serial devices to offer after "COM1".."COM4"; `prompt` shows
  // the warning of OK's check.
  SetupDialog(const CommSettings& current, bool usbAvailable, const std::vector<SerialPortEntry>& present,
              Prompt& prompt, QWidget* parent = nullptr);
  const SetupCommunicationDialog& Logic() const { return logic_; }
  // A control by its id (SetupCommunicationDialog::k...); null for an unknown id.
  QWidget* Control(int id) const;

 public slots:
  void accept() override;

 private:
  QLayout* BuildInterfaceRow();
  QWidget* BuildParameters();
  QWidget* BuildSerialPortGroup(QWidget* parameters);
  void ShowPortDevice();
  void ShowEnabling();

  SetupCommunicationDialog logic_;
  Prompt& prompt_;
  std::map<int, QWidget*> controls_;
  QRadioButton* serial_ = nullptr;
  QRadioButton* usb_ = nullptr;
  QLabel* usbDevice_ = nullptr;
  QComboBox* port_ = nullptr;
  QComboBox* portDevice_ = nullptr;
  QComboBox* baud_ = nullptr;
  QButtonGroup* parity_ = nullptr;
  QButtonGroup* flow_ = nullptr;
};

}  // namespace dotforge
