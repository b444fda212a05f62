#pragma once
// A made-up /dev and /sys in a temporary folder, laid out as the kernel and udev
// lay them out: class/tty links into the device folders, driver links, USB
// devices with their strings, and /dev/serial/by-id links to the device nodes.

#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace dotforge::test {

struct UsbStrings {
  std::string manufacturer;
  std::string product;
  std::string serial;
};

class FakeSerialTree {
 public:
  FakeSerialTree();
  std::filesystem::path Root() const { return dir_.Path(); }
  std::filesystem::path Dev() const { return dir_ / "dev"; }
  std::filesystem::path Sys() const { return dir_ / "sys"; }

  // ttySn on the 8250 driver with the given UART type (0: a placeholder with
  // no chip behind it).
  void AddUart(int number, int uartType);
  // ttyUSBn behind a USB serial adapter; with a non-empty `byId`, a
  // /dev/serial/by-id link of that name. `node`, when given, is where
  // /dev/ttyUSBn leads (a pseudo-terminal standing in for the adapter).
  void AddUsbSerial(int number, const UsbStrings& strings, const std::string& byId,
                    const std::filesystem::path& node = {});
  // ttyACMn of a USB modem-class device, without a by-id link.
  void AddUsbModem(int number, const UsbStrings& strings);
  // The adapter is pulled out: its node, its by-id links and its sysfs entries go.
  void Unplug(const std::string& kernelName);

 private:
  void Link(const std::filesystem::path& link, const std::filesystem::path& target) const;
  void AddTtyClassEntry(const std::string& name, const std::filesystem::path& ttyFolder,
                        const std::filesystem::path& device) const;
  std::filesystem::path AddUsbDevice(const std::string& port, const UsbStrings& strings) const;
  void AddNode(const std::string& name, const std::filesystem::path& node) const;

  TempDir dir_;
};

}  // namespace dotforge::test
