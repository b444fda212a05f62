#include "usb/usb_printers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "usb/usb_messages.h"

namespace dotforge::usb {
namespace {

std::optional<std::uint16_t> HexWord(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  std::uint16_t value = 0;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t'; }

}  // namespace

std::optional<std::vector<UsbId>> ParseUsbIds(std::string_view text) {
  std::vector<UsbId> ids;
  std::size_t at = 0;
  while (at < text.size()) {
    if (IsSeparator(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view pair = text.substr(at, end - at);
    const std::size_t colon = pair.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto vendor = HexWord(pair.substr(0, colon));
    const auto product = HexWord(pair.substr(colon + 1));
    if (!vendor || !product) return std::nullopt;
    ids.push_back(MakeUsbId(*vendor, *product));
    at = end;
  }
  return ids;
}

std::string FormatUsbIds(const std::vector<UsbId>& ids) {
  std::string text;
  for (const UsbId id : ids) {
    char pair[16];
    std::snprintf(pair, sizeof pair, "%04X:%04X", id >> 16, id & 0xFFFF);
    if (!text.empty()) text += ' ';
    text += pair;
  }
  return text;
}

DeviceList PrinterDevices(Backend& backend, const std::vector<UsbId>& listedIds) {
  DeviceList printers;
  for (DeviceEntry& entry : backend.Devices()) {
    const bool listed =
        std::find(listedIds.begin(), listedIds.end(), MakeUsbId(entry.vendorId, entry.productId)) != listedIds.end();
    if (entry.printerInterface || listed) printers.push_back(std::move(entry));
  }
  return printers;
}

std::string PortPath(const DeviceEntry& entry) {
  std::string path = std::to_string(entry.bus) + "-";
  for (std::size_t i = 0; i < entry.ports.size(); ++i) {
    if (i > 0) path += '.';
    path += std::to_string(entry.ports[i]);
  }
  return path;
}

std::string DisplayName(Backend& backend, const DeviceEntry& entry) {
  std::string manufacturer, product;
  backend.DeviceStrings(entry, manufacturer, product);
  std::string name = manufacturer;
  if (!product.empty()) name += (name.empty() ? "" : " ") + product;
  if (name.empty()) {
    char ids[32];
    std::snprintf(ids, sizeof ids, msg::kUnnamedDevice, entry.vendorId, entry.productId);
    name = ids;
  }
  const std::string path = PortPath(entry);
  const std::string ports = path.substr(path.find('-') + 1);
  char where[64];
  std::snprintf(where, sizeof where, msg::kBusAndPort, static_cast<unsigned>(entry.bus),
                ports.empty() ? "0" : ports.c_str());
  return name + where;
}

std::vector<UsbPrinterListing> ListUsbPrinters(Backend& backend, const std::vector<UsbId>& listedIds) {
  std::vector<UsbPrinterListing> listing;
  for (DeviceEntry& entry : PrinterDevices(backend, listedIds)) {
    std::string display = DisplayName(backend, entry);
    listing.push_back({std::move(entry), std::move(display)});
  }
  return listing;
}

}  // namespace dotforge::usb
