#pragma once
// Which USB devices are printers to this program: those with an interface of
// the printer class, and those whose vendor and product id the settings list
// (a printer with a vendor-specific interface). Each can be named for the user.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "usb/usb_io_device.h"

namespace dotforge::usb {

// A vendor and product id pair, vendor in the high 16 bits.
using UsbId = std::uint32_t;
constexpr UsbId MakeUsbId(std::uint16_t vendor, std::uint16_t product) {
  return static_cast<UsbId>(vendor) << 16 | product;
}

// "04B8:0202" pairs separated by spaces or commas; nothing for a malformed list.
std::optional<std::vector<UsbId>> ParseUsbIds(std::string_view text);
std::string FormatUsbIds(const std::vector<UsbId>& ids);

// The printers present, in the backend's order.
DeviceList PrinterDevices(Backend& backend, const std::vector<UsbId>& listedIds);

// "1-2.4": bus and port path, as the system names the device.
std::string PortPath(const DeviceEntry& entry);
// "<manufacturer> <product> (bus 1, port 2.4)"; the ids stand in for missing strings.
std::string DisplayName(Backend& backend, const DeviceEntry& entry);

struct UsbPrinterListing {
  DeviceEntry entry;
  std::string display;
};
// The printers present with their display names; the first is the one used.
std::vector<UsbPrinterListing> ListUsbPrinters(Backend& backend, const std::vector<UsbId>& listedIds);

}  // namespace dotforge::usb
