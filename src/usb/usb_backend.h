#pragma once
// The libusb-level operations the USB request layer is built on: listing the
// devices present, opening one, control requests on it, and asynchronous bulk
// transfers on its endpoints. LibusbBackend is the real one; FakeUsbBackend
// stands in for the bus in tests and benchmarks.
//
// Results are libusb error codes (0 or a negative LIBUSB_ERROR_*); transfer
// completions carry a libusb transfer status.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace dotforge::usb {

inline constexpr std::uint8_t kPrinterClass = 7;

// One device present on the bus.
struct DeviceEntry {
  std::uint8_t bus = 0;
  std::vector<std::uint8_t> ports;  // port numbers from the root hub down
  std::uint8_t address = 0;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  // Some interface of the device is of the printer class.
  bool printerInterface = false;
  // The backend's reference to the device, kept while the entry lives.
  std::shared_ptr<const void> device;
};

// The driver information the request layer reports.
struct DriverInfo {
  std::uint16_t interfaceVersion = 0;
  std::uint16_t driverVersion = 0;
  std::uint32_t build = 0;
  std::uint32_t flags = 0;
};

// Asynchronous bulk transfers on one endpoint, one at a time. The completion
// may run on any thread, the submitting one included.
class BulkEndpoint {
 public:
  using Completion = std::function<void(int transferStatus, std::size_t transferred)>;
  virtual ~BulkEndpoint() = default;
  // `data` stays valid until the completion has run.
  virtual int Submit(std::uint8_t* data, std::size_t length, Completion done) = 0;
  // Asks a submitted transfer to end; its completion reports the cancellation.
  virtual void Cancel() = 0;
};

// An open device. Several request-layer objects share one handle, as the
// interfaces a process has claimed belong to its handle.
class DeviceHandle {
 public:
  virtual ~DeviceHandle() = default;
  // GET_DESCRIPTOR on the default control pipe; `received` is the byte count.
  virtual int GetDescriptor(std::uint8_t type, std::uint8_t index, std::uint16_t language,
                            std::span<std::uint8_t> out, std::size_t& received) = 0;
  virtual int GetConfiguration(int& value) = 0;
  virtual int SetConfiguration(int value) = 0;
  // Claims the interface, detaching a kernel driver that holds it; the driver
  // is attached again when the handle closes.
  virtual int ClaimInterface(int number) = 0;
  virtual int SetAlternateSetting(int interfaceNumber, int alternate) = 0;
  virtual int Reset() = 0;
  virtual int OpenBulkEndpoint(std::uint8_t address, std::unique_ptr<BulkEndpoint>& endpoint) = 0;
  // The device's string with that index, empty when it has none or it cannot be read.
  virtual std::string StringDescriptor(std::uint8_t index) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // False when the USB library could not be initialised: USB is not offered.
  virtual bool Available() const = 0;
  virtual DriverInfo Driver() const = 0;
  virtual std::vector<DeviceEntry> Devices() = 0;
  // Opening a device this process already has open shares its handle.
  virtual int Open(const DeviceEntry& entry, std::shared_ptr<DeviceHandle>& handle) = 0;
  // The device's manufacturer and product strings, where they can be read.
  virtual void DeviceStrings(const DeviceEntry& entry, std::string& manufacturer, std::string& product) = 0;
};

// USB is offered on the platform kinds that have it and wherever the USB
// library initialises.
bool UsbOffered(int platformKind);

// The backend of this process: the one a test installed, else libusb.
Backend& CurrentBackend();

// Installs a backend for the lifetime of this object (tests, benchmarks).
class ScopedBackend {
 public:
  explicit ScopedBackend(Backend& backend);
  ~ScopedBackend();
  ScopedBackend(const ScopedBackend&) = delete;
  ScopedBackend& operator=(const ScopedBackend&) = delete;

 private:
  Backend* previous_;
};

}  // namespace dotforge::usb
