#include "comm/setup_communication.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "usb/usb_printers.h"

namespace dotforge {

namespace {

std::string UsbPrinterInUse(const CommSettings& settings) {
  const std::vector<usb::UsbPrinterListing> printers = usb::ListUsbPrinters(usb::CurrentBackend(), settings.usbPrinterIds);
  return printers.empty() ? msg::kNoUsbPrinter : printers.front().display;
}

}  // namespace

SetupCommunicationDialog::SetupCommunicationDialog(const CommSettings& current, bool usbAvailable)
    : values_(current),
      usbAvailable_(usbAvailable),
      usbDeviceText_(usbAvailable ? UsbPrinterInUse(current) : std::string()) {}

void SetupCommunicationDialog::ClickUsb() {
  if (usbAvailable_) values_.interfaceType = kInterfaceUsb;
}

bool SetupCommunicationDialog::IsEnabled(int controlId) const {
  if (controlId == kUsbRadio) return usbAvailable_;
  const bool serialControl =
      std::find(kSerialControls.begin(), kSerialControls.end(), controlId) != kSerialControls.end();
  return !serialControl || values_.interfaceType != kInterfaceUsb;
}

bool SetupCommunicationDialog::Ok(CommSettings& applicationSettings, CCommContext& context) const {
  applicationSettings = values_;
  context.settings = values_;
  return context.OpenInterface();
}

}  // namespace dotforge
