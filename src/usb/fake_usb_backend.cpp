#include "usb/fake_usb_backend.h"

#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "usb/usb_requests.h"

namespace dotforge::usb {

using Completion = BulkEndpoint::Completion;

struct PendingTransfer {
  std::uint8_t* data = nullptr;
  std::size_t length = 0;
  Completion done;
  bool active = false;
};

struct FakeUsbBackend::Device {
  FakeDeviceSpec spec;
  std::shared_ptr<FakeUsbFunction> function;
  std::uint8_t address = 0;
  bool present = true;
  bool reading = true;
  int configuration = 1;
  std::vector<int> claimed;
  Bytes answers;  // waiting for a bulk IN transfer
  PendingTransfer in;
  PendingTransfer out;
  int opens = 0;
  int resets = 0;
  std::size_t outTransfers = 0;
  std::weak_ptr<DeviceHandle> handle;
};

namespace {

using Device = FakeUsbBackend::Device;
// Completions found under the lock run after it is released.
using Ready = std::vector<std::function<void()>>;

void RunAll(Ready& ready) {
  for (auto& call : ready) call();
}

void Finish(PendingTransfer& transfer, int status, std::size_t moved, Ready& ready) {
  if (!transfer.active) return;
  transfer.active = false;
  ready.push_back([done = std::move(transfer.done), status, moved] { done(status, moved); });
}

// Hands waiting answers to a waiting IN transfer.
void Deliver(Device& device, Ready& ready) {
  if (!device.in.active || device.answers.empty()) return;
  const std::size_t count = std::min(device.in.length, device.answers.size());
  std::memcpy(device.in.data, device.answers.data(), count);
  device.answers.erase(device.answers.begin(), device.answers.begin() + static_cast<std::ptrdiff_t>(count));
  Finish(device.in, LIBUSB_TRANSFER_COMPLETED, count, ready);
}

// The device reads a pending OUT transfer and answers.
void Consume(Device& device, Ready& ready) {
  if (!device.out.active || !device.reading) return;
  ++device.outTransfers;
  device.function->Received(ByteView(device.out.data, device.out.length), device.answers);
  Finish(device.out, LIBUSB_TRANSFER_COMPLETED, device.out.length, ready);
  Deliver(device, ready);
}

class FakeEndpoint : public BulkEndpoint {
 public:
  FakeEndpoint(std::mutex& mutex, std::shared_ptr<Device> device, std::uint8_t address)
      : mutex_(mutex), device_(std::move(device)), address_(address) {}

  int Submit(std::uint8_t* data, std::size_t length, Completion done) override {
    Ready ready;
    {
      const std::lock_guard lock(mutex_);
      if (!device_->present) return LIBUSB_ERROR_NO_DEVICE;
      PendingTransfer& transfer = Transfer();
      if (transfer.active) return LIBUSB_ERROR_BUSY;
      transfer = {data, length, std::move(done), true};
      if (address_ & LIBUSB_ENDPOINT_IN) {
        Deliver(*device_, ready);
      } else {
        Consume(*device_, ready);
      }
    }
    RunAll(ready);
    return LIBUSB_SUCCESS;
  }

  void Cancel() override {
    Ready ready;
    {
      const std::lock_guard lock(mutex_);
      Finish(Transfer(), LIBUSB_TRANSFER_CANCELLED, 0, ready);
    }
    RunAll(ready);
  }

 private:
  PendingTransfer& Transfer() { return (address_ & LIBUSB_ENDPOINT_IN) ? device_->in : device_->out; }

  std::mutex& mutex_;
  std::shared_ptr<Device> device_;
  std::uint8_t address_;
};

class FakeHandle : public DeviceHandle {
 public:
  FakeHandle(std::mutex& mutex, std::shared_ptr<Device> device) : mutex_(mutex), device_(std::move(device)) {}
  ~FakeHandle() override {
    const std::lock_guard lock(mutex_);
    device_->claimed.clear();
  }

  int GetDescriptor(std::uint8_t type, std::uint8_t index, std::uint16_t, std::span<std::uint8_t> out,
                    std::size_t& received) override {
    const std::lock_guard lock(mutex_);
    if (!device_->present) return LIBUSB_ERROR_NO_DEVICE;
    if (type != kDescriptorConfiguration || index != 0) return LIBUSB_ERROR_PIPE;
    const Bytes& set = device_->spec.configuration;
    received = std::min(set.size(), out.size());
    std::copy_n(set.begin(), received, out.begin());
    return LIBUSB_SUCCESS;
  }

  int GetConfiguration(int& value) override {
    const std::lock_guard lock(mutex_);
    if (!device_->present) return LIBUSB_ERROR_NO_DEVICE;
    value = device_->configuration;
    return LIBUSB_SUCCESS;
  }

  int SetConfiguration(int value) override {
    const std::lock_guard lock(mutex_);
    if (!device_->present) return LIBUSB_ERROR_NO_DEVICE;
    device_->configuration = value;
    return LIBUSB_SUCCESS;
  }

  int ClaimInterface(int number) override {
    const std::lock_guard lock(mutex_);
    if (!device_->present) return LIBUSB_ERROR_NO_DEVICE;
    device_->claimed.push_back(number);
    return LIBUSB_SUCCESS;
  }

  int SetAlternateSetting(int, int) override {
    const std::lock_guard lock(mutex_);
    return device_->present ? LIBUSB_SUCCESS : LIBUSB_ERROR_NO_DEVICE;
  }

  int Reset() override {
    const std::lock_guard lock(mutex_);
    if (!device_->present) return LIBUSB_ERROR_NOT_FOUND;
    ++device_->resets;
    return LIBUSB_SUCCESS;
  }

  int OpenBulkEndpoint(std::uint8_t address, std::unique_ptr<BulkEndpoint>& endpoint) override {
    endpoint = std::make_unique<FakeEndpoint>(mutex_, device_, address);
    return LIBUSB_SUCCESS;
  }

  std::string StringDescriptor(std::uint8_t) override { return {}; }

 private:
  std::mutex& mutex_;
  std::shared_ptr<Device> device_;
};

void PutU16(Bytes& out, std::uint16_t value) { PutU16LE(out, value); }

}  // namespace

Bytes InterfaceDescriptor(std::uint8_t number, std::uint8_t endpoints, std::uint8_t interfaceClass) {
  return {9, LIBUSB_DT_INTERFACE, number, 0, endpoints, interfaceClass, 1, 2, 0};
}

Bytes EndpointDescriptor(std::uint8_t address, std::uint8_t attributes, std::uint16_t maxPacket) {
  Bytes out{7, LIBUSB_DT_ENDPOINT, address, attributes};
  PutU16(out, maxPacket);
  out.push_back(attributes == LIBUSB_TRANSFER_TYPE_INTERRUPT ? 10 : 0);
  return out;
}

Bytes ConfigurationDescriptor(const std::vector<Bytes>& body) {
  std::size_t total = 9;
  std::uint8_t interfaces = 0;
  for (const Bytes& part : body) {
    total += part.size();
    if (part.size() > 1 && part[1] == LIBUSB_DT_INTERFACE) ++interfaces;
  }
  Bytes out{9, LIBUSB_DT_CONFIG};
  PutU16(out, static_cast<std::uint16_t>(total));
  for (const std::uint8_t field : {interfaces, std::uint8_t{1}, std::uint8_t{0}, std::uint8_t{0xC0}, std::uint8_t{1}}) {
    out.push_back(field);
  }
  for (const Bytes& part : body) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes PrinterConfiguration() {
  return ConfigurationDescriptor({InterfaceDescriptor(0, 2, kPrinterClass),
                                  EndpointDescriptor(0x01, LIBUSB_TRANSFER_TYPE_BULK),
                                  EndpointDescriptor(0x82, LIBUSB_TRANSFER_TYPE_BULK)});
}

FakeUsbBackend::~FakeUsbBackend() = default;

DriverInfo FakeUsbBackend::Driver() const {
  const std::lock_guard lock(mutex_);
  return {interfaceVersion_, 0x0100, 1, 0};
}

std::vector<DeviceEntry> FakeUsbBackend::Devices() {
  const std::lock_guard lock(mutex_);
  std::vector<DeviceEntry> entries;
  if (!available_) return entries;
  for (const auto& device : devices_) {
    if (!device->present) continue;
    DeviceEntry entry;
    entry.bus = device->spec.bus;
    entry.ports = device->spec.ports;
    entry.address = device->address;
    entry.vendorId = device->spec.vendorId;
    entry.productId = device->spec.productId;
    entry.printerInterface = device->spec.printerInterface;
    entry.device = device;
    entries.push_back(std::move(entry));
  }
  return entries;
}

int FakeUsbBackend::Open(const DeviceEntry& entry, std::shared_ptr<DeviceHandle>& handle) {
  const std::lock_guard lock(mutex_);
  auto device = std::const_pointer_cast<Device>(std::static_pointer_cast<const Device>(entry.device));
  if (!device || !device->present) return LIBUSB_ERROR_NO_DEVICE;
  if (device->spec.accessDenied) return LIBUSB_ERROR_ACCESS;
  if (auto shared = device->handle.lock()) {
    handle = std::move(shared);
    return LIBUSB_SUCCESS;
  }
  ++device->opens;
  handle = std::make_shared<FakeHandle>(mutex_, device);
  device->handle = handle;
  return LIBUSB_SUCCESS;
}

void FakeUsbBackend::DeviceStrings(const DeviceEntry& entry, std::string& manufacturer, std::string& product) {
  const std::lock_guard lock(mutex_);
  const auto device = std::static_pointer_cast<const Device>(entry.device);
  manufacturer = device ? device->spec.manufacturer : std::string();
  product = device ? device->spec.product : std::string();
}

void FakeUsbBackend::SetInterfaceVersion(std::uint16_t version) {
  const std::lock_guard lock(mutex_);
  interfaceVersion_ = version;
}

std::size_t FakeUsbBackend::Plug(FakeDeviceSpec spec, std::shared_ptr<FakeUsbFunction> function) {
  const std::lock_guard lock(mutex_);
  auto device = std::make_shared<Device>();
  device->spec = std::move(spec);
  device->function = std::move(function);
  device->address = nextAddress_++;
  devices_.push_back(std::move(device));
  return devices_.size() - 1;
}

void FakeUsbBackend::Unplug(std::size_t number) {
  Ready ready;
  {
    const std::lock_guard lock(mutex_);
    Device& device = *devices_.at(number);
    if (!device.present) return;
    device.present = false;
    device.answers.clear();
    device.function->Unplugged();
    Finish(device.in, LIBUSB_TRANSFER_NO_DEVICE, 0, ready);
    Finish(device.out, LIBUSB_TRANSFER_NO_DEVICE, 0, ready);
  }
  RunAll(ready);
}

void FakeUsbBackend::Replug(std::size_t number) {
  Unplug(number);
  const std::lock_guard lock(mutex_);
  const Device& old = *devices_.at(number);
  auto device = std::make_shared<Device>();
  device->spec = old.spec;
  device->function = old.function;
  device->opens = old.opens;
  device->resets = old.resets;
  device->outTransfers = old.outTransfers;
  device->address = nextAddress_++;
  devices_[number] = std::move(device);
}

void FakeUsbBackend::SetReading(std::size_t number, bool reading) {
  Ready ready;
  {
    const std::lock_guard lock(mutex_);
    Device& device = *devices_.at(number);
    device.reading = reading;
    Consume(device, ready);
  }
  RunAll(ready);
}

void FakeUsbBackend::SetAccessDenied(std::size_t number, bool denied) {
  const std::lock_guard lock(mutex_);
  devices_.at(number)->spec.accessDenied = denied;
}

int FakeUsbBackend::OpenCount(std::size_t number) const {
  const std::lock_guard lock(mutex_);
  return devices_.at(number)->opens;
}

int FakeUsbBackend::ResetCount(std::size_t number) const {
  const std::lock_guard lock(mutex_);
  return devices_.at(number)->resets;
}

std::vector<int> FakeUsbBackend::Claimed(std::size_t number) const {
  const std::lock_guard lock(mutex_);
  return devices_.at(number)->claimed;
}

std::size_t FakeUsbBackend::OutTransfers(std::size_t number) const {
  const std::lock_guard lock(mutex_);
  return devices_.at(number)->outTransfers;
}

}  // namespace dotforge::usb
