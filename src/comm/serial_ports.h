#pragma once
// The serial devices present on this machine, read from sysfs and /dev: on-board
// UARTs (/dev/ttyS*) with hardware behind them, USB serial adapters (/dev/ttyUSB*)
// and USB modems (/dev/ttyACM*), each with the adapter's description and serial
// number where the device reports them.
//
// A /dev/ttySN is listed when /sys/class/tty/ttySN/device/driver exists and the
// port's UART type (sysfs "type", the value TIOCGSERIAL reports) is not
// PORT_UNKNOWN: the kernel keeps placeholder ttyS ports with no chip behind them.
// The type is read from sysfs so that listing never opens a port (opening raises
// DTR and RTS on the line); only where sysfs does not show it is the port asked.

#include <filesystem>
#include <string>
#include <vector>

namespace dotforge {

inline constexpr const char* kDeviceRootVariable = "DOTFORGE_DEVICE_ROOT";

// Where devices and sysfs are looked for.
struct SerialPortRoots {
  std::filesystem::path dev = "/dev";
  std::filesystem::path sys = "/sys";

  // /dev and /sys, or DEVICE_ROOT/dev and DEVICE_ROOT/sys when the variable
  // DOTFORGE_DEVICE_ROOT names a folder (a copied or simulated device tree).
  static SerialPortRoots FromEnvironment();
};

struct SerialPortEntry {
  // The path to open and to store: the device's /dev/serial/by-id link when it
  // has one (that name survives re-plugging), else its /dev node.
  std::string path;
  std::string kernelPath;  // the /dev node, e.g. /dev/ttyUSB0
  std::string description;
  std::string serialNumber;  // empty when the device reports none
};

class SerialPortScanner {
 public:
  explicit SerialPortScanner(SerialPortRoots roots) : roots_(std::move(roots)) {}

  // The ttyS ports in number order, then the ttyUSB ports, then the ttyACM ports.
  std::vector<SerialPortEntry> List() const;

 private:
  bool IsRealUart(const std::string& name) const;
  void DescribeUsbDevice(const std::string& name, SerialPortEntry& entry) const;
  std::string ByIdLink(const std::filesystem::path& node) const;

  SerialPortRoots roots_;
};

// Whether a device path leads to something that is there; a by-id link whose
// device has gone leads nowhere.
bool DevicePresent(const std::string& path);

}  // namespace dotforge
