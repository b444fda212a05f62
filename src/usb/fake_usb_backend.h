#pragma once
// A USB bus without hardware: devices described by their descriptors, whose
// bulk OUT transfers go to a function standing for the device's firmware and
// whose bulk IN transfers take what that function answered. Devices can be
// unplugged and plugged in again, refuse to be opened, or stop reading.
// Transfers complete on the thread that makes them complete (a submit, a
// cancel, an unplug), as libusb completions would on its event thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "usb/usb_backend.h"

namespace dotforge::usb {

// The device's side: what it answers to the bytes it receives.
class FakeUsbFunction {
 public:
  virtual ~FakeUsbFunction() = default;
  virtual void Received(ByteView bytes, Bytes& answer) = 0;
  // The device lost power in the middle of something.
  virtual void Unplugged() {}
};

struct FakeDeviceSpec {
  std::uint16_t vendorId = 0x0DD4;
  std::uint16_t productId = 0x0186;
  std::uint8_t bus = 1;
  std::vector<std::uint8_t> ports{2};
  bool printerInterface = true;
  Bytes configuration;  // the configuration descriptor set
  std::string manufacturer;
  std::string product;
  bool accessDenied = false;  // opening fails as for a user without permission
};

// Descriptor builders.
Bytes InterfaceDescriptor(std::uint8_t number, std::uint8_t endpoints, std::uint8_t interfaceClass);
Bytes EndpointDescriptor(std::uint8_t address, std::uint8_t attributes, std::uint16_t maxPacket = 64);
// A configuration descriptor header (total length filled in) followed by `body`.
Bytes ConfigurationDescriptor(const std::vector<Bytes>& body);
// One printer-class interface with bulk OUT 0x01 and bulk IN 0x82.
Bytes PrinterConfiguration();

class FakeUsbBackend : public Backend {
 public:
  explicit FakeUsbBackend(bool available = true) : available_(available) {}
  ~FakeUsbBackend() override;

  bool Available() const override { return available_; }
  DriverInfo Driver() const override;
  std::vector<DeviceEntry> Devices() override;
  int Open(const DeviceEntry& entry, std::shared_ptr<DeviceHandle>& handle) override;
  void DeviceStrings(const DeviceEntry& entry, std::string& manufacturer, std::string& product) override;

  void SetInterfaceVersion(std::uint16_t version);
  // Plugs a device in; the number names it from then on.
  std::size_t Plug(FakeDeviceSpec spec, std::shared_ptr<FakeUsbFunction> function);
  // Running transfers end with "no device"; requests on its handles fail.
  void Unplug(std::size_t device);
  // The same device comes back at a new address.
  void Replug(std::size_t device);
  // While not reading, bulk OUT transfers stay pending (a printer that stopped).
  void SetReading(std::size_t device, bool reading);
  void SetAccessDenied(std::size_t device, bool denied);

  // What the device saw: opens of a new handle, resets, the interfaces claimed.
  int OpenCount(std::size_t device) const;
  int ResetCount(std::size_t device) const;
  std::vector<int> Claimed(std::size_t device) const;
  std::size_t OutTransfers(std::size_t device) const;

  struct Device;

 private:
  mutable std::mutex mutex_;
  bool available_;
  std::uint16_t interfaceVersion_ = 0x0141;
  std::vector<std::shared_ptr<Device>> devices_;
  std::uint8_t nextAddress_ = 2;
};

}  // namespace dotforge::usb
