#pragma once
// The device object of the USB request layer: opens one device of a list,
// checks the driver's interface version, and carries out the requests of
// usb_requests.h, one at a time, on the backend. A pipe object is a device
// object bound to one bulk endpoint; its pipe does the asynchronous transfers.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "usb/bulk_pipe.h"
#include "usb/usb_backend.h"

namespace dotforge::usb {

using DeviceList = std::vector<DeviceEntry>;

class UsbIoDevice {
 public:
  explicit UsbIoDevice(Backend& backend) : backend_(backend) {}
  virtual ~UsbIoDevice() { Close(); }
  UsbIoDevice(const UsbIoDevice&) = delete;
  UsbIoDevice& operator=(const UsbIoDevice&) = delete;

  // Opens device `number` of `list`: 0 or a status code. Already open: 0.
  std::uint32_t Open(std::size_t number, const DeviceList& list);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }
  // The libusb error of the last open that failed (LIBUSB_ERROR_ACCESS: no permission).
  int OpenError() const { return openError_; }
  // The device opened last.
  const std::optional<DeviceEntry>& Path() const { return path_; }

  // Carries out one request: 0 or a status code; the byte count of the output
  // goes to `returned` when given.
  std::uint32_t Request(std::uint32_t code, const void* input, std::uint32_t inputLength, void* output,
                        std::uint32_t outputLength, std::uint32_t* returned = nullptr);

 protected:
  std::shared_ptr<BulkPipe> pipe_;  // set by the bind-pipe request

 private:
  std::uint32_t Dispatch(std::uint32_t code, ByteView input, std::span<std::uint8_t> output, std::uint32_t& returned);
  std::uint32_t DriverInformation(std::span<std::uint8_t> output, std::uint32_t& returned);
  std::uint32_t DeviceParameters(std::span<std::uint8_t> output, std::uint32_t& returned);
  std::uint32_t GetDescriptor(ByteView input, std::span<std::uint8_t> output, std::uint32_t& returned);
  std::uint32_t GetConfiguration(std::span<std::uint8_t> output, std::uint32_t& returned);
  std::uint32_t SetConfiguration(ByteView input);
  std::uint32_t BindPipe(ByteView input);

  Backend& backend_;
  std::shared_ptr<DeviceHandle> handle_;
  std::mutex requestLock_;
  std::optional<DeviceEntry> path_;
  int openError_ = 0;
};

class UsbIoPipe : public UsbIoDevice {
 public:
  using UsbIoDevice::UsbIoDevice;
  // Opens device `number` of `list` and binds it to the endpoint: 0 or a status code.
  std::uint32_t OpenAndBind(std::size_t number, const DeviceList& list, std::uint8_t endpointAddress);
  std::uint8_t EndpointAddress() const { return endpoint_; }
  // The transfers of the bound endpoint; none before binding.
  std::shared_ptr<BulkPipe> Pipe() const { return pipe_; }
  // A new descriptor standing for the bound pipe (readable when its transfer
  // completes), owned by the caller; -1 when not bound.
  int DuplicateHandle() const;

 private:
  std::uint8_t endpoint_ = 0;
};

}  // namespace dotforge::usb
