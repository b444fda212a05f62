#pragma once
// The logic of the "Setup Communication" dialog, without widgets: the values of
// its controls, which controls are enabled, and what OK does.

#include <array>
#include <string>
#include <vector>

#include "comm/comm_context.h"
#include "comm/comm_settings.h"
#include "comm/port_choices.h"
#include "framework/prompt.h"

namespace dotforge {

class SetupCommunicationDialog {
 public:
  static constexpr const char* kTitle = "Setup Communication";
  static constexpr const char* kParametersTitle = "Parameters";
  static constexpr const char* kSerialText = "Serial";
  static constexpr const char* kUsbText = "USB";
  static constexpr const char* kSerialPortTitle = "&Serial Port";
  static constexpr const char* kBaudRateText = "Baud Rate";
  static constexpr const char* kParityTitle = "&Parity";
  static constexpr const char* kFlowControlTitle = "&Flow Control";
  static constexpr const char* kPortDeviceText = "&Device:";

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
  // The device a port name stands for, with its label; only for "COM1".."COM4".
  static constexpr int kPortDeviceLabel = 1048;
  static constexpr int kPortDeviceField = 1049;
  // The controls that only mean something for a serial line.
  static constexpr std::array<int, 12> kSerialControls{
      kSerialPortGroup, kSerialPortList,  kBaudRateLabel,   kBaudRateList, kParityGroup,       kParityNoneRadio,
      kParityOddRadio,  kParityEvenRadio, kFlowGroup,       kFlowNoneRadio, kFlowHardwareRadio, kFlowXonXoffRadio};
  static constexpr std::array<const char*, 8> kBaudRateTexts{"115200", "57600", "38400", "19200",
                                                             "9600",   "4800",  "2400",  "1200"};

  // Opening: the controls take the current settings; the port list offers
  // "COM1".."COM4" and the serial devices `present`.
  SetupCommunicationDialog(const CommSettings& current, bool usbAvailable,
                           const std::vector<SerialPortEntry>& present = {});

  void ClickSerial() { values_.interfaceType = kInterfaceSerial; }
  // Refused where the platform has no USB: the radio button is disabled there.
  void ClickUsb();
  // An index into Ports(): 0..3 choose "COM1".."COM4", later ones a device path.
  void SelectPort(int index);
  void SelectBaudRate(int index) { values_.baudRate = index; }
  void SelectParity(int index) { values_.parity = index; }
  void SelectFlowControl(int index) { values_.flowControl = index; }
  // The device the chosen port name stands for; empty or the default device
  // gives the port name its default back.
  void SetPortDevice(const std::string& path);

  const std::vector<PortChoice>& Ports() const { return ports_; }
  int SelectedPort() const { return ChosenPort(values_, ports_); }
  // The device that will be opened: the chosen port name's or the chosen path.
  // It can be edited only for a port name.
  std::string PortDeviceText() const;
  bool IsEnabled(int controlId) const;
  // The USB printer that will be used ("<name> (bus B, port P)"), or that none
  // is present; read when the dialog opens.
  const std::string& UsbDeviceText() const { return usbDeviceText_; }
  const CommSettings& Values() const { return values_; }

  // The check of OK, before the dialog closes: a device chosen by its path
  // that is no longer there is named in a warning, and the dialog stays open.
  bool CheckChosenDevice(Prompt& prompt) const;
  // OK: the values become the application's settings and the context's live
  // settings, and the interface is opened with them at once. False when it could
  // not be opened (the transport has shown why); the settings are kept anyway.
  bool Ok(CommSettings& applicationSettings, CCommContext& context) const;

 private:
  CommSettings values_;
  bool usbAvailable_;
  std::vector<PortChoice> ports_;
  std::string usbDeviceText_;
};

}  // namespace dotforge
