#include "comm/setup_communication.h"

#include <algorithm>

namespace dotforge {

SetupCommunicationDialog::SetupCommunicationDialog(const CommSettings& current, bool usbAvailable)
    : values_(current), usbAvailable_(usbAvailable) {}

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
