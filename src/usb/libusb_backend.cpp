#include "usb/libusb_backend.h"

#include <fstream>
#include <string>
#include <vector>

#include "usb/usb_printers.h"
#include "usb/usb_requests.h"

namespace dotforge::usb {
namespace {

constexpr unsigned kControlTimeoutMs = 5000;
constexpr int kMaxPortDepth = 7;

libusb_device* DeviceOf(const DeviceEntry& entry) {
  return static_cast<libusb_device*>(const_cast<void*>(entry.device.get()));
}

bool HasPrinterInterface(libusb_device* device) {
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS &&
      libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS) {
    return false;
  }
  bool printer = false;
  for (int i = 0; i < config->bNumInterfaces && !printer; ++i) {
    const libusb_interface& interface = config->interface[i];
    for (int a = 0; a < interface.num_altsetting; ++a) {
      if (interface.altsetting[a].bInterfaceClass == kPrinterClass) printer = true;
    }
  }
  libusb_free_config_descriptor(config);
  return printer;
}

// The strings the kernel read from the device when it arrived; readable
// without permission on the device node.
std::string SysfsString(const DeviceEntry& entry, const char* name) {
  std::ifstream file("/sys/bus/usb/devices/" + PortPath(entry) + "/" + name);
  std::string text;
  std::getline(file, text);
  return text;
}

class LibusbEndpoint : public BulkEndpoint {
 public:
  LibusbEndpoint(libusb_device_handle* handle, std::uint8_t address)
      : handle_(handle), address_(address), transfer_(libusb_alloc_transfer(0)) {}
  ~LibusbEndpoint() override { libusb_free_transfer(transfer_); }

  int Submit(std::uint8_t* data, std::size_t length, Completion done) override {
    if (!transfer_) return LIBUSB_ERROR_NO_MEM;
    done_ = std::move(done);
    libusb_fill_bulk_transfer(transfer_, handle_, address_, data, static_cast<int>(length), &LibusbEndpoint::Callback,
                              this, 0);
    return libusb_submit_transfer(transfer_);
  }

  void Cancel() override { libusb_cancel_transfer(transfer_); }

 private:
  static void LIBUSB_CALL Callback(libusb_transfer* transfer) {
    auto* self = static_cast<LibusbEndpoint*>(transfer->user_data);
    // The owner may free this endpoint once the completion has run.
    const Completion done = std::move(self->done_);
    done(transfer->status, static_cast<std::size_t>(transfer->actual_length));
  }

  libusb_device_handle* handle_;
  std::uint8_t address_;
  libusb_transfer* transfer_;
  Completion done_;
};

class LibusbHandle : public DeviceHandle {
 public:
  explicit LibusbHandle(libusb_device_handle* handle) : handle_(handle) {}
  ~LibusbHandle() override {
    for (const int number : claimed_) libusb_release_interface(handle_, number);
    for (const int number : detached_) libusb_attach_kernel_driver(handle_, number);
    libusb_close(handle_);
  }

  int GetDescriptor(std::uint8_t type, std::uint8_t index, std::uint16_t language, std::span<std::uint8_t> out,
                    std::size_t& received) override {
    const int count = libusb_control_transfer(handle_, LIBUSB_ENDPOINT_IN, LIBUSB_REQUEST_GET_DESCRIPTOR,
                                              static_cast<std::uint16_t>(type << 8 | index), language, out.data(),
                                              static_cast<std::uint16_t>(out.size()), kControlTimeoutMs);
    if (count < 0) return count;
    received = static_cast<std::size_t>(count);
    return LIBUSB_SUCCESS;
  }

  int GetConfiguration(int& value) override { return libusb_get_configuration(handle_, &value); }
  int SetConfiguration(int value) override { return libusb_set_configuration(handle_, value); }

  int ClaimInterface(int number) override {
    if (libusb_kernel_driver_active(handle_, number) == 1) {
      const int error = libusb_detach_kernel_driver(handle_, number);
      if (error != LIBUSB_SUCCESS) return error;
      detached_.push_back(number);
    }
    const int error = libusb_claim_interface(handle_, number);
    if (error == LIBUSB_SUCCESS) claimed_.push_back(number);
    return error;
  }

  int SetAlternateSetting(int interfaceNumber, int alternate) override {
    return libusb_set_interface_alt_setting(handle_, interfaceNumber, alternate);
  }

  int Reset() override { return libusb_reset_device(handle_); }

  int OpenBulkEndpoint(std::uint8_t address, std::unique_ptr<BulkEndpoint>& endpoint) override {
    endpoint = std::make_unique<LibusbEndpoint>(handle_, address);
    return LIBUSB_SUCCESS;
  }

  std::string StringDescriptor(std::uint8_t index) override {
    if (index == 0) return {};
    unsigned char text[256];
    const int length = libusb_get_string_descriptor_ascii(handle_, index, text, sizeof text);
    return length > 0 ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length))
                      : std::string();
  }

 private:
  libusb_device_handle* handle_;
  std::vector<int> claimed_;
  std::vector<int> detached_;
};

}  // namespace

LibusbBackend::LibusbBackend() {
  if (libusb_init(&context_) != LIBUSB_SUCCESS) {
    context_ = nullptr;
    return;
  }
  events_ = std::thread(&LibusbBackend::HandleEvents, this);
}

LibusbBackend::~LibusbBackend() {
  if (!context_) return;
  stopEvents_ = true;
  // The interruption stays pending until the thread's next round of event
  // handling, so a request set just after the thread looked is not missed.
  libusb_interrupt_event_handler(context_);
  events_.join();
  libusb_exit(context_);
}

void LibusbBackend::HandleEvents() {
  while (!stopEvents_) libusb_handle_events(context_);
}

DriverInfo LibusbBackend::Driver() const {
  const libusb_version* version = libusb_get_version();
  return {kInterfaceVersion, static_cast<std::uint16_t>(version->major << 8 | version->minor),
          static_cast<std::uint32_t>(version->micro) << 16 | version->nano, 0};
}

std::vector<DeviceEntry> LibusbBackend::Devices() {
  std::vector<DeviceEntry> entries;
  if (!context_) return entries;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device* device = list[i];
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) != LIBUSB_SUCCESS) continue;
    DeviceEntry entry;
    entry.bus = libusb_get_bus_number(device);
    std::uint8_t ports[kMaxPortDepth];
    const int depth = libusb_get_port_numbers(device, ports, kMaxPortDepth);
    if (depth > 0) entry.ports.assign(ports, ports + depth);
    entry.address = libusb_get_device_address(device);
    entry.vendorId = descriptor.idVendor;
    entry.productId = descriptor.idProduct;
    entry.printerInterface = descriptor.bDeviceClass == kPrinterClass || HasPrinterInterface(device);
    entry.device = std::shared_ptr<const void>(libusb_ref_device(device), [](const void* held) {
      libusb_unref_device(static_cast<libusb_device*>(const_cast<void*>(held)));
    });
    entries.push_back(std::move(entry));
  }
  if (count >= 0) libusb_free_device_list(list, 1);
  return entries;
}

int LibusbBackend::Open(const DeviceEntry& entry, std::shared_ptr<DeviceHandle>& handle) {
  if (!context_ || !entry.device) return LIBUSB_ERROR_NO_DEVICE;
  const std::lock_guard lock(openLock_);
  std::erase_if(open_, [](const auto& item) { return item.second.expired(); });
  if (auto shared = open_[entry.device.get()].lock()) {
    handle = std::move(shared);
    return LIBUSB_SUCCESS;
  }
  libusb_device_handle* raw = nullptr;
  const int error = libusb_open(DeviceOf(entry), &raw);
  if (error != LIBUSB_SUCCESS) return error;
  handle = std::make_shared<LibusbHandle>(raw);
  open_[entry.device.get()] = handle;
  return LIBUSB_SUCCESS;
}

void LibusbBackend::DeviceStrings(const DeviceEntry& entry, std::string& manufacturer, std::string& product) {
  manufacturer = SysfsString(entry, "manufacturer");
  product = SysfsString(entry, "product");
  if (!manufacturer.empty() || !product.empty() || !entry.device) return;
  libusb_device_descriptor descriptor{};
  if (libusb_get_device_descriptor(DeviceOf(entry), &descriptor) != LIBUSB_SUCCESS) return;
  std::shared_ptr<DeviceHandle> handle;
  if (Open(entry, handle) != LIBUSB_SUCCESS) return;
  manufacturer = handle->StringDescriptor(descriptor.iManufacturer);
  product = handle->StringDescriptor(descriptor.iProduct);
}

}  // namespace dotforge::usb
