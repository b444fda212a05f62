#include "usb/usb_io_device.h"

#include <libusb.h>
#include <fcntl.h>

#include <algorithm>
#include <cstring>

#include "usb/usb_requests.h"
#include "usb/usb_status.h"

namespace dotforge::usb {

std::uint32_t UsbIoDevice::Open(std::size_t number, const DeviceList& list) {
  if (handle_) return kStatusSuccess;
  path_.reset();
  openError_ = 0;
  if (number >= list.size()) return kStatusNoSuchInstance;
  path_ = list[number];
  std::shared_ptr<DeviceHandle> handle;
  openError_ = backend_.Open(*path_, handle);
  if (openError_ != LIBUSB_SUCCESS || !handle) return kStatusDeviceNotFound;
  handle_ = std::move(handle);

  std::uint8_t info[kDriverInfoSize];
  const std::uint32_t status = Request(kRequestDriverInfo, nullptr, 0, info, sizeof info);
  if (status != kStatusSuccess) {
    Close();
    return status;
  }
  if (DecodeDriverInfo(ByteView(info, sizeof info)).interfaceVersion != kInterfaceVersion) {
    Close();
    return kStatusVersionMismatch;
  }
  return kStatusSuccess;
}

void UsbIoDevice::Close() {
  const std::lock_guard lock(requestLock_);
  pipe_.reset();
  handle_.reset();
}

std::uint32_t UsbIoDevice::Request(std::uint32_t code, const void* input, std::uint32_t inputLength, void* output,
                                   std::uint32_t outputLength, std::uint32_t* returned) {
  const std::lock_guard lock(requestLock_);
  if (!handle_) return kStatusDeviceNotOpen;
  std::uint32_t count = 0;
  const ByteView in(static_cast<const std::uint8_t*>(input), input ? inputLength : 0);
  const std::span<std::uint8_t> out(static_cast<std::uint8_t*>(output), output ? outputLength : 0);
  const std::uint32_t status = Dispatch(code, in, out, count);
  if (returned) *returned = count;
  return status;
}

std::uint32_t UsbIoDevice::Dispatch(std::uint32_t code, ByteView input, std::span<std::uint8_t> output,
                                    std::uint32_t& returned) {
  switch (code) {
    case kRequestDriverInfo:
      return DriverInformation(output, returned);
    case kRequestDeviceParameters:
      return DeviceParameters(output, returned);
    case kRequestGetDescriptor:
      return GetDescriptor(input, output, returned);
    case kRequestGetConfiguration:
      return GetConfiguration(output, returned);
    case kRequestSetConfiguration:
      return SetConfiguration(input);
    case kRequestBindPipe:
      return BindPipe(input);
    case kRequestResetDevice:
      return StatusFromLibusb(handle_->Reset());
    default:
      return kStatusInvalidIoctl;
  }
}

std::uint32_t UsbIoDevice::DriverInformation(std::span<std::uint8_t> output, std::uint32_t& returned) {
  if (output.size() < kDriverInfoSize) return kStatusOutputBufferTooSmall;
  const Bytes record = EncodeDriverInfo(backend_.Driver());
  std::copy(record.begin(), record.end(), output.begin());
  returned = kDriverInfoSize;
  return kStatusSuccess;
}

std::uint32_t UsbIoDevice::DeviceParameters(std::span<std::uint8_t> output, std::uint32_t& returned) {
  if (output.size() < kDeviceParametersSize) return kStatusOutputBufferTooSmall;
  // Where the device sits: vendor, product, bus, address.
  Bytes record;
  PutU16LE(record, path_->vendorId);
  PutU16LE(record, path_->productId);
  PutU8(record, path_->bus);
  PutU8(record, path_->address);
  PutZeros(record, 2);
  std::copy(record.begin(), record.end(), output.begin());
  returned = kDeviceParametersSize;
  return kStatusSuccess;
}

std::uint32_t UsbIoDevice::GetDescriptor(ByteView input, std::span<std::uint8_t> output, std::uint32_t& returned) {
  if (input.size() < kDescriptorRequestSize) return kStatusInputBufferTooSmall;
  const DescriptorRequest request = DecodeDescriptorRequest(input);
  if (request.recipient != kRecipientDevice) return kStatusInvalidRecipient;
  std::size_t received = 0;
  const int error = handle_->GetDescriptor(request.type, request.index, request.language, output, received);
  if (error != LIBUSB_SUCCESS) return StatusFromLibusb(error);
  returned = static_cast<std::uint32_t>(std::min(received, output.size()));
  return kStatusSuccess;
}

std::uint32_t UsbIoDevice::GetConfiguration(std::span<std::uint8_t> output, std::uint32_t& returned) {
  if (output.empty()) return kStatusOutputBufferTooSmall;
  int value = 0;
  const int error = handle_->GetConfiguration(value);
  if (error != LIBUSB_SUCCESS) return StatusFromLibusb(error);
  output[0] = static_cast<std::uint8_t>(value);
  returned = 1;
  return kStatusSuccess;
}

std::uint32_t UsbIoDevice::SetConfiguration(ByteView input) {
  if (input.size() < kSetConfigurationSize) return kStatusInputBufferTooSmall;
  const SetConfigurationRequest request = DecodeSetConfiguration(input);
  if (request.interfaceCount != 1) return kStatusSetConfigurationFailed;
  // An unconfigured device is put into the configuration with that index.
  int current = 0;
  int error = handle_->GetConfiguration(current);
  if (error == LIBUSB_SUCCESS && current == 0) {
    std::uint8_t header[9];
    std::size_t received = 0;
    error = handle_->GetDescriptor(kDescriptorConfiguration, static_cast<std::uint8_t>(request.configurationIndex), 0,
                                   header, received);
    if (error == LIBUSB_SUCCESS && received < sizeof header) return kStatusSetConfigurationFailed;
    if (error == LIBUSB_SUCCESS) error = handle_->SetConfiguration(header[5]);
  }
  if (error != LIBUSB_SUCCESS) return StatusFromLibusb(error);
  const InterfaceSetting& setting = request.interfaces[0];
  error = handle_->ClaimInterface(setting.interfaceIndex);
  if (error == LIBUSB_SUCCESS && setting.alternateSetting != 0) {
    error = handle_->SetAlternateSetting(setting.interfaceIndex, setting.alternateSetting);
  }
  return StatusFromLibusb(error);
}

std::uint32_t UsbIoDevice::BindPipe(ByteView input) {
  if (input.empty()) return kStatusInputBufferTooSmall;
  if (pipe_) return kStatusPipeAlreadyBound;
  std::unique_ptr<BulkEndpoint> endpoint;
  const int error = handle_->OpenBulkEndpoint(input[0], endpoint);
  if (error != LIBUSB_SUCCESS) return error == LIBUSB_ERROR_NOT_FOUND ? kStatusPipeNotFound : StatusFromLibusb(error);
  pipe_ = std::make_shared<BulkPipe>(handle_, std::move(endpoint));
  return kStatusSuccess;
}

std::uint32_t UsbIoPipe::OpenAndBind(std::size_t number, const DeviceList& list, std::uint8_t endpointAddress) {
  const std::uint32_t status = Open(number, list);
  if (status != kStatusSuccess) return status;
  endpoint_ = endpointAddress;
  return Request(kRequestBindPipe, &endpointAddress, 1, nullptr, 0);
}

int UsbIoPipe::DuplicateHandle() const { return pipe_ ? fcntl(pipe_->CompletionFd(), F_DUPFD_CLOEXEC, 0) : -1; }

}  // namespace dotforge::usb
