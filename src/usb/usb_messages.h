#pragma once
// Texts of the USB layer that the user sees.

namespace dotforge::usb::msg {

// A device without readable manufacturer and product strings: vendor and product id.
inline constexpr const char* kUnnamedDevice = "USB device %04X:%04X";
// Appended to a device's name: bus number and port path.
inline constexpr const char* kBusAndPort = " (bus %u, port %s)";

}  // namespace dotforge::usb::msg
