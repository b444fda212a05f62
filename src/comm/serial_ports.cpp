#include "comm/serial_ports.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "comm/comm_messages.h"

namespace dotforge {
namespace {

namespace fs = std::filesystem;

// sysfs attributes are short; anything longer is cut.
constexpr std::size_t kAttributeLimit = 256;
// How far up from a tty's device the USB device holding its strings may be.
constexpr int kUsbDeviceSearchDepth = 6;

enum class PortKind { Uart, UsbSerial, UsbModem };

struct KernelName {
  PortKind kind;
  unsigned number;
  std::string name;
};

struct KindPrefix {
  const char* prefix;
  PortKind kind;
};

constexpr KindPrefix kPrefixes[] = {
    {"ttyS", PortKind::Uart}, {"ttyUSB", PortKind::UsbSerial}, {"ttyACM", PortKind::UsbModem}};

// "ttyUSB3" and the like: a known prefix followed by digits only.
std::optional<KernelName> ParseKernelName(const std::string& name) {
  for (const KindPrefix& prefix : kPrefixes) {
    const std::string_view text(name);
    const std::string_view head(prefix.prefix);
    if (text.size() <= head.size() || text.substr(0, head.size()) != head) continue;
    const std::string_view digits = text.substr(head.size());
    unsigned number = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (status != std::errc() || end != digits.data() + digits.size()) continue;
    return KernelName{prefix.kind, number, name};
  }
  return std::nullopt;
}

// The first line of a sysfs attribute, trailing blanks removed and control
// characters made spaces (device strings are whatever the device sends).
std::optional<std::string> ReadAttribute(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text(kAttributeLimit, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (const std::size_t end = text.find('\n'); end != std::string::npos) text.resize(end);
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::optional<int> ReadNumberAttribute(const fs::path& path) {
  const std::optional<std::string> text = ReadAttribute(path);
  if (!text) return std::nullopt;
  int value = 0;
  const auto [end, status] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (status != std::errc() || end != text->data() + text->size()) return std::nullopt;
  return value;
}

// Asks the port itself, for kernels whose sysfs has no "type". A port we may not
// open could not be used anyway and is left out.
bool UartTypeKnownByIoctl(const fs::path& node) {
  const int fd = open(node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  serial_struct info{};
  const bool known = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  close(fd);
  return known;
}

// "FTDI" and "FT232R USB UART" make "FTDI FT232R USB UART"; a product that
// already starts with the maker's name stands alone.
std::string JoinMakerAndProduct(const std::string& maker, const std::string& product) {
  if (maker.empty()) return product;
  if (product.empty()) return maker;
  if (product.rfind(maker, 0) == 0) return product;
  return maker + " " + product;
}

const char* DefaultDescription(PortKind kind) {
  switch (kind) {
    case PortKind::Uart:
      return msg::kBuiltInSerialPort;
    case PortKind::UsbSerial:
      return msg::kUsbSerialAdapter;
    case PortKind::UsbModem:
      return msg::kUsbSerialDevice;
  }
  return "";
}

bool Within(const fs::path& path, const fs::path& root) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

}  // namespace

SerialPortRoots SerialPortRoots::FromEnvironment() {
  SerialPortRoots roots;
  if (const char* root = std::getenv(kDeviceRootVariable); root && *root) {
    roots.dev = fs::path(root) / "dev";
    roots.sys = fs::path(root) / "sys";
  }
  return roots;
}

std::vector<SerialPortEntry> SerialPortScanner::List() const {
  std::vector<KernelName> names;
  std::error_code error;
  for (fs::directory_iterator it(roots_.sys / "class" / "tty", error), end; !error && it != end; it.increment(error)) {
    if (auto name = ParseKernelName(it->path().filename().string())) names.push_back(std::move(*name));
  }
  std::sort(names.begin(), names.end(), [](const KernelName& a, const KernelName& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
  });

  std::vector<SerialPortEntry> entries;
  for (const KernelName& name : names) {
    const fs::path node = roots_.dev / name.name;
    const fs::path device = roots_.sys / "class" / "tty" / name.name / "device";
    if (!fs::exists(node, error) || !fs::exists(device / "driver", error)) continue;
    if (name.kind == PortKind::Uart && !IsRealUart(name.name)) continue;
    SerialPortEntry entry;
    entry.kernelPath = node.string();
    const std::string byId = ByIdLink(node);
    entry.path = byId.empty() ? entry.kernelPath : byId;
    if (name.kind != PortKind::Uart) DescribeUsbDevice(name.name, entry);
    if (entry.description.empty()) entry.description = DefaultDescription(name.kind);
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool SerialPortScanner::IsRealUart(const std::string& name) const {
  if (const std::optional<int> type = ReadNumberAttribute(roots_.sys / "class" / "tty" / name / "type")) {
    return *type != PORT_UNKNOWN;
  }
  return UartTypeKnownByIoctl(roots_.dev / name);
}

void SerialPortScanner::DescribeUsbDevice(const std::string& name, SerialPortEntry& entry) const {
  std::error_code error;
  const fs::path sys = fs::weakly_canonical(roots_.sys, error);
  fs::path at = fs::canonical(roots_.sys / "class" / "tty" / name / "device", error);
  if (error) return;
  // The interface a tty hangs off lies below the USB device that holds the
  // strings; walk up until a folder with idVendor, never out of sysfs.
  for (int depth = 0; depth < kUsbDeviceSearchDepth && Within(at, sys) && at != sys; ++depth, at = at.parent_path()) {
    if (!fs::exists(at / "idVendor", error)) continue;
    entry.description = JoinMakerAndProduct(ReadAttribute(at / "manufacturer").value_or(""),
                                            ReadAttribute(at / "product").value_or(""));
    entry.serialNumber = ReadAttribute(at / "serial").value_or("");
    return;
  }
}

std::string SerialPortScanner::ByIdLink(const fs::path& node) const {
  std::error_code error;
  const fs::path target = fs::canonical(node, error);
  if (error) return {};
  std::vector<std::string> links;
  for (fs::directory_iterator it(roots_.dev / "serial" / "by-id", error), end; !error && it != end;
       it.increment(error)) {
    std::error_code linkError;
    if (fs::canonical(it->path(), linkError) == target && !linkError) links.push_back(it->path().string());
  }
  // Several names for one device (one per interface alias): the first in order.
  return links.empty() ? std::string() : *std::min_element(links.begin(), links.end());
}

bool DevicePresent(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::exists(path, error);
}

}  // namespace dotforge
