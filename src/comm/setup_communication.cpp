#include "comm/setup_communication.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "usb/usb_printers.h"

namespace dotforge {
namespace {

std::string DeviceMissingMessage(const std::string& path) {
  std::string text = msg::kSerialDeviceMissing;
  text.replace(text.find("%s"), 2, path);
  return text;
}

std::string UsbPrinterInUse(const CommSettings& settings) {
  const std::vector<usb::UsbPrinterListing> printers = usb::ListUsbPrinters(usb::CurrentBackend(), settings.usbPrinterIds);
  return printers.empty() ? msg::kNoUsbPrinter : printers.front().display;
}

}  // namespace

SetupCommunicationDialog::SetupCommunicationDialog(const CommSettings& current, bool usbAvailable,
                                                   const std::vector<SerialPortEntry>& present)
    : values_(current),
      usbAvailable_(usbAvailable),
      ports_(PortChoices(current, present)),
      usbDeviceText_(usbAvailable ? UsbPrinterInUse(current) : std::string()) {}

void SetupCommunicationDialog::ClickUsb() {
  if (usbAvailable_) values_.interfaceType = kInterfaceUsb;
}

void SetupCommunicationDialog::SelectPort(int index) {
  if (index < 0 || index >= static_cast<int>(ports_.size())) return;
  const PortChoice& choice = ports_[index];
  if (choice.portIndex >= 0) {
    values_.serialPort = choice.portIndex;
    values_.serialDevice.clear();
  } else {
    values_.serialDevice = choice.name;
  }
}

void SetupCommunicationDialog::SetPortDevice(const std::string& path) {
  if (!values_.serialDevice.empty()) return;
  const int port = values_.serialPort;
  values_.portDevices[port].clear();
  if (path != PortDevice(values_, port)) values_.portDevices[port] = path;
}

std::string SetupCommunicationDialog::PortDeviceText() const { return OpenedDevice(values_); }

bool SetupCommunicationDialog::IsEnabled(int controlId) const {
  if (controlId == kUsbRadio) return usbAvailable_;
  const bool serial = values_.interfaceType != kInterfaceUsb;
  if (controlId == kPortDeviceLabel || controlId == kPortDeviceField) return serial && values_.serialDevice.empty();
  const bool serialControl =
      std::find(kSerialControls.begin(), kSerialControls.end(), controlId) != kSerialControls.end();
  return !serialControl || serial;
}

bool SetupCommunicationDialog::CheckChosenDevice(Prompt& prompt) const {
  if (values_.interfaceType != kInterfaceSerial || values_.serialDevice.empty()) return true;
  if (DevicePresent(values_.serialDevice)) return true;
  prompt.ShowMessage(DeviceMissingMessage(values_.serialDevice), MessageKind::Warning);
  return false;
}

bool SetupCommunicationDialog::Ok(CommSettings& applicationSettings, CCommContext& context) const {
  applicationSettings = values_;
  context.settings = values_;
  // A device that went away since it was chosen is named as such, not as a
  // line that failed to open.
  if (values_.interfaceType == kInterfaceSerial && !DevicePresent(OpenedDevice(values_))) {
    context.GetPrompt().ShowMessage(DeviceMissingMessage(OpenedDevice(values_)), MessageKind::Warning);
    return false;
  }
  return context.OpenInterface();
}

}  // namespace dotforge
