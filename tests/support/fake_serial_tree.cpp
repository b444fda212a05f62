#include "support/fake_serial_tree.h"

#include <fstream>

namespace dotforge::test {
namespace {

namespace fs = std::filesystem;

void WriteAttribute(const fs::path& path, const std::string& value) {
  if (value.empty()) return;
  fs::create_directories(path.parent_path());
  std::ofstream(path) << value << '\n';
}

}  // namespace

FakeSerialTree::FakeSerialTree() {
  fs::create_directories(Dev());
  fs::create_directories(Sys() / "class" / "tty");
  for (const char* driver : {"bus/platform/drivers/serial8250", "bus/usb-serial/drivers/ftdi_sio",
                             "bus/usb/drivers/cdc_acm"}) {
    fs::create_directories(Sys() / driver);
  }
  const fs::path platform = Sys() / "devices" / "platform" / "serial8250";
  fs::create_directories(platform);
  Link(platform / "driver", Sys() / "bus/platform/drivers/serial8250");
}

void FakeSerialTree::Link(const fs::path& link, const fs::path& target) const {
  fs::create_directories(link.parent_path());
  fs::create_symlink(target.lexically_relative(link.parent_path()), link);
}

void FakeSerialTree::AddTtyClassEntry(const std::string& name, const fs::path& ttyFolder,
                                      const fs::path& device) const {
  fs::create_directories(ttyFolder);
  Link(ttyFolder / "device", device);
  Link(Sys() / "class" / "tty" / name, ttyFolder);
}

void FakeSerialTree::AddNode(const std::string& name, const fs::path& node) const {
  if (node.empty()) {
    std::ofstream(Dev() / name) << "";
  } else {
    fs::create_symlink(node, Dev() / name);
  }
}

fs::path FakeSerialTree::AddUsbDevice(const std::string& port, const UsbStrings& strings) const {
  const fs::path device = Sys() / "devices/pci0000:00/0000:00:14.0/usb1" / port;
  WriteAttribute(device / "idVendor", "0403");
  WriteAttribute(device / "manufacturer", strings.manufacturer);
  WriteAttribute(device / "product", strings.product);
  WriteAttribute(device / "serial", strings.serial);
  const fs::path interface = device / (port + ":1.0");
  fs::create_directories(interface);
  return interface;
}

void FakeSerialTree::AddUart(int number, int uartType) {
  const std::string name = "ttyS" + std::to_string(number);
  const fs::path platform = Sys() / "devices" / "platform" / "serial8250";
  const fs::path tty = platform / "tty" / name;
  AddTtyClassEntry(name, tty, platform);
  WriteAttribute(tty / "type", std::to_string(uartType));
  AddNode(name, {});
}

void FakeSerialTree::AddUsbSerial(int number, const UsbStrings& strings, const std::string& byId,
                                  const fs::path& node) {
  const std::string name = "ttyUSB" + std::to_string(number);
  const fs::path port = AddUsbDevice("1-" + std::to_string(2 + number), strings) / name;
  fs::create_directories(port);
  Link(port / "driver", Sys() / "bus/usb-serial/drivers/ftdi_sio");
  AddTtyClassEntry(name, port / "tty" / name, port);
  AddNode(name, node);
  if (!byId.empty()) Link(Dev() / "serial" / "by-id" / byId, Dev() / name);
}

void FakeSerialTree::AddUsbModem(int number, const UsbStrings& strings) {
  const std::string name = "ttyACM" + std::to_string(number);
  const fs::path interface = AddUsbDevice("1-" + std::to_string(10 + number), strings);
  Link(interface / "driver", Sys() / "bus/usb/drivers/cdc_acm");
  AddTtyClassEntry(name, interface / "tty" / name, interface);
  AddNode(name, {});
}

void FakeSerialTree::Unplug(const std::string& kernelName) {
  fs::remove(Dev() / kernelName);
  fs::remove(Sys() / "class" / "tty" / kernelName);
  std::error_code error;
  for (fs::directory_iterator it(Dev() / "serial" / "by-id", error), end; !error && it != end;) {
    const fs::path link = it->path();
    it.increment(error);
    if (fs::read_symlink(link).filename() == kernelName) fs::remove(link);
  }
}

}  // namespace dotforge::test
