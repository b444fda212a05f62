#include "comm/usb_info.h"

#include <libusb.h>
#include <unistd.h>

#include <cstdio>

#include "comm/comm_context.h"
#include "comm/comm_messages.h"
#include "platform/trace.h"
#include "usb/usb_printers.h"
#include "usb/usb_requests.h"
#include "usb/usb_status.h"

namespace dotforge {

CUsbInfo::CUsbInfo(CCommContext& owner, usb::Backend& backend)
    : CCommInfo(owner, kLargestWrite), backend_(backend), device_(backend) {}

CUsbInfo::~CUsbInfo() {
  Close();
  CloseHandles();
}

bool CUsbInfo::SetDefaults() {
  running = 0;
  readFd = writeFd = -1;
  return true;
}

void CUsbInfo::CloseHandles() {
  if (writeFd >= 0 && writeFd != readFd) close(writeFd);
  if (readFd >= 0) close(readFd);
  readFd = writeFd = -1;
}

bool CUsbInfo::Close() {
  // Whoever still holds a pipe, its transfers have ended when this returns.
  for (const auto* pipe : {inPipe_.get(), outPipe_.get()}) {
    if (pipe && pipe->Pipe()) pipe->Pipe()->Cancel();
  }
  readRecord.BindPipe(nullptr);
  writeRecord.BindPipe(nullptr);
  inPipe_.reset();
  outPipe_.reset();
  return true;
}

bool CUsbInfo::KeepConnection() {
  std::uint8_t configuration = 0;
  const bool healthy = device_.Request(usb::kRequestGetConfiguration, nullptr, 0, &configuration, 1) ==
                           usb::kStatusSuccess &&
                       configuration != 0;
  return healthy && owner.ReaderRunning() && !firstReuse_;
}

void CUsbInfo::DropConnection() {
  // Threads stopped, pipes' transfers ended and pipes closed, handles closed:
  // nothing runs on the device any more when it is reset.
  owner.CloseInterface();
  firstReuse_ = false;
  const std::uint32_t status = device_.Request(usb::kRequestResetDevice, nullptr, 0, nullptr, 0);
  if (status != usb::kStatusSuccess) Trace(usb::FormatStatus(status));
}

bool CUsbInfo::Open() {
  if (running) {
    if (KeepConnection()) return true;
    DropConnection();
  }
  device_.Close();
  Close();
  inPipe_ = std::make_unique<usb::UsbIoPipe>(backend_);
  outPipe_ = std::make_unique<usb::UsbIoPipe>(backend_);
  if (!FullOpen()) {
    Close();
    device_.Close();
    owner.GetPrompt().ShowMessage(msg::kUsbDeviceNotFound);
    return false;
  }
  readFd = inPipe_->DuplicateHandle();
  writeFd = outPipe_->DuplicateHandle();
  readRecord.BindPipe(inPipe_->Pipe());
  writeRecord.BindPipe(outPipe_->Pipe());
  owner.WriteQueue().SetWriteTarget(writeFd, &writeRecord);
  ++openCount_;
  return true;
}

bool CUsbInfo::Failed(std::uint32_t status) {
  if (status == usb::kStatusSuccess) return false;
  Trace(usb::FormatStatus(status));
  return true;
}

void CUsbInfo::ReportNoPermission() {
  const std::string name = usb::DisplayName(backend_, devices_.front());
  char text[1024];
  std::snprintf(text, sizeof text, msg::kUsbNoPermission, name.c_str());
  owner.GetPrompt().ShowMessage(text);
}

bool CUsbInfo::FullOpen() {
  devices_ = usb::PrinterDevices(backend_, owner.settings.usbPrinterIds);
  if (devices_.empty()) return false;

  const std::uint32_t opened = device_.Open(0, devices_);
  if (opened != usb::kStatusSuccess && device_.OpenError() == LIBUSB_ERROR_ACCESS) ReportNoPermission();
  if (Failed(opened)) return false;
  std::uint8_t parameters[usb::kDeviceParametersSize];
  if (Failed(device_.Request(usb::kRequestDeviceParameters, nullptr, 0, parameters, sizeof parameters))) return false;
  const Bytes request = usb::EncodeDescriptorRequest({});
  std::uint8_t descriptors[kDescriptorBufferSize];
  std::uint32_t length = 0;
  if (Failed(device_.Request(usb::kRequestGetDescriptor, request.data(), static_cast<std::uint32_t>(request.size()),
                             descriptors, sizeof descriptors, &length))) {
    return false;
  }
  if (!FindEndpoints(ByteView(descriptors, length))) {
    owner.GetPrompt().ShowMessage(msg::kBulkEndpointsNotFound);
    return false;
  }

  usb::SetConfigurationRequest configuration;
  configuration.interfaceCount = 1;
  configuration.interfaces[0] = {0, 0, kLargestWrite};
  const Bytes record = usb::EncodeSetConfiguration(configuration);
  if (Failed(device_.Request(usb::kRequestSetConfiguration, record.data(), static_cast<std::uint32_t>(record.size()),
                             nullptr, 0))) {
    return false;
  }
  return !Failed(outPipe_->OpenAndBind(0, devices_, endpoints_.out)) &&
         !Failed(inPipe_->OpenAndBind(0, devices_, endpoints_.in));
}

bool CUsbInfo::FindEndpoints(ByteView descriptors) {
  switch (FindBulkEndpoints(descriptors, endpoints_)) {
    case EndpointWalk::Found:
      return true;
    case EndpointWalk::ZeroLength:
      owner.GetPrompt().ShowMessage(msg::kZeroPacket);
      return false;
    case EndpointWalk::UnknownDescriptor:
      owner.GetPrompt().ShowMessage(msg::kUnknownDescriptor);
      return false;
    case EndpointWalk::NotFound:
      return false;
  }
  return false;
}

}  // namespace dotforge
