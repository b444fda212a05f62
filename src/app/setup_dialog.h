#pragma once
// The "Setup Communication" dialog: interface type, serial port, baud rate,
// parity and flow control. Its logic (values, enabling, what OK does) is the
// comm library's; this class only shows it.

#include <QDialog>

#include "comm/setup_communication.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;

namespace dotforge {

class SetupDialog : public QDialog {
  Q_OBJECT
 public:
  SetupDialog(const CommSettings& current, bool usbAvailable, QWidget* parent = nullptr);
  const SetupCommunicationDialog& Logic() const { return logic_; }

 private:
  void ShowEnabling();

  SetupCommunicationDialog logic_;
  QRadioButton* serial_;
  QRadioButton* usb_;
  QLabel* usbDevice_;
  QComboBox* port_;
  QComboBox* baud_;
  QButtonGroup* parity_;
  QButtonGroup* flow_;
};

}  // namespace dotforge
