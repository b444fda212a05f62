#pragma once
// The logic of the "Setup Communication" dialog, without widgets: the values of
// its controls, which controls are enabled, and what OK does.

#include <array>
#include <string>

#include "comm/comm_context.h"
#include "comm/comm_settings.h"

namespace dotforge {

class SetupCommunicationDialog {
 public:
  static constexpr const char* kTitle = "Setup Communication";
  static constexpr int kSerialRadio = 1035;
  static constexpr int kUsbRadio = 1036;
  static constexpr int kSerialPortGroup = 1033;
  static constexpr int kSerialPortList = 1037;
  static constexpr int kBaudRateLabel = 1039;
  static constexpr int kBaudRateList = 1038;
  static constexpr int kParityGroup = 1040;
  static constexpr int kParityNoneRadio = 1041;
  static constexpr int kParityOddRadio = 1042;
  static constexpr int kParityEvenRadio = 1043;
  static constexpr int kFlowGroup = 1044;
  static constexpr int kFlowNoneRadio = 1045;
  static constexpr int kFlowHardwareRadio = 1046;
  static constexpr int kFlowXonXoffRadio = 1047;
  // The controls that only mean something for a serial line.
  static constexpr std::array<int, 12> kSerialControls{
      kSerialPortGroup, kSerialPortList,  kBaudRateLabel,   kBaudRateList, kParityGroup,       kParityNoneRadio,
      kParityOddRadio,  kParityEvenRadio, kFlowGroup,       kFlowNoneRadio, kFlowHardwareRadio, kFlowXonXoffRadio};
  static constexpr std::array<const char*, 8> kBaudRateTexts{"115200", "57600", "38400", "19200",
                                                             "9600",   "4800",  "2400",  "1200"};

  // Opening: the controls take the current settings.
  SetupCommunicationDialog(const CommSettings& current, bool usbAvailable);

  void ClickSerial() { values_.interfaceType = kInterfaceSerial; }
  // Refused where the platform has no USB: the radio button is disabled there.
  void ClickUsb();
  void SelectPort(int index) { values_.serialPort = index; }
  void SelectBaudRate(int index) { values_.baudRate = index; }
  void SelectParity(int index) { values_.parity = index; }
  void SelectFlowControl(int index) { values_.flowControl = index; }

  bool IsEnabled(int controlId) const;
  // The USB printer that will be used ("<name> (bus B, port P)"), or that none
  // is present; read when the dialog opens.
  const std::string& UsbDeviceText() const { return usbDeviceText_; }
  const CommSettings& Values() const { return values_; }

  // OK: the values become the application's settings and the context's live
  // settings, and the interface is opened with them at once. False when it could
  // not be opened (the transport has shown why); the settings are kept anyway.
  bool Ok(CommSettings& applicationSettings, CCommContext& context) const;

 private:
  CommSettings values_;
  bool usbAvailable_;
  std::string usbDeviceText_;
};

}  // namespace dotforge
