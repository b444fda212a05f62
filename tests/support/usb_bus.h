#pragma once
// A fake USB bus installed as the process's backend, with the simulated
// printer plugged in.

#include <memory>

#include "comm/comm_settings.h"
#include "printersim/usb_printer.h"
#include "usb/fake_usb_backend.h"

namespace dotforge::test {

struct UsbBus {
  explicit UsbBus(usb::FakeDeviceSpec spec = sim::UsbPrinterSpec()) : device(backend.Plug(std::move(spec), printer)) {}

  usb::FakeUsbBackend backend;
  usb::ScopedBackend installed{backend};
  std::shared_ptr<sim::UsbPrinter> printer = std::make_shared<sim::UsbPrinter>();
  std::size_t device;
};

inline CommSettings UsbSettings() {
  CommSettings settings;
  settings.interfaceType = kInterfaceUsb;
  return settings;
}

}  // namespace dotforge::test
