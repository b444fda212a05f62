#pragma once
// The USB transport: the first printer on USB (an interface of the printer
// class, or a vendor and product id listed in the settings), its bulk OUT and
// IN endpoints found in its configuration descriptor, interface 0 claimed, and
// one pipe object per endpoint whose transfers the context's writer and reader
// threads wait on. A connection is checked before each command and opened
// afresh when the device is gone or the reader has ended.

#include <atomic>
#include <memory>
#include <optional>

#include "comm/comm_info.h"
#include "comm/usb_endpoints.h"
#include "usb/usb_io_device.h"

namespace dotforge {

class CUsbInfo : public CCommInfo {
 public:
  static constexpr std::size_t kLargestWrite = 16384;
  static constexpr std::size_t kDescriptorBufferSize = 2047;

  explicit CUsbInfo(CCommContext& owner, usb::Backend& backend = usb::CurrentBackend());
  ~CUsbInfo() override;

  bool Open() override;
  bool SetDefaults() override;
  // Ends the pipes' transfers; the device object stays open until the next
  // open or the end of this object.
  bool Close() override;

  // The device in use and its endpoints, after a successful open.
  const std::optional<usb::DeviceEntry>& Device() const { return device_.Path(); }
  const BulkEndpoints& Endpoints() const { return endpoints_; }
  // How many times the connection has been opened; a reopen shows here.
  int OpenCount() const { return openCount_; }

  // Set at program start and cleared by the first reopen of a connection in
  // use: the first reuse of a healthy connection opens it afresh.
  static bool FirstReuse() { return firstReuse_.load(); }
  static void SetFirstReuse(bool value) { firstReuse_ = value; }

 private:
  bool KeepConnection();
  void DropConnection();
  bool FullOpen();
  bool FindEndpoints(ByteView descriptors);
  bool Failed(std::uint32_t status);
  void ReportNoPermission();
  void CloseHandles();

  inline static std::atomic<bool> firstReuse_{true};

  usb::Backend& backend_;
  std::unique_ptr<usb::UsbIoPipe> inPipe_;
  std::unique_ptr<usb::UsbIoPipe> outPipe_;
  usb::UsbIoDevice device_;
  usb::DeviceList devices_;
  BulkEndpoints endpoints_;
  int openCount_ = 0;
};

}  // namespace dotforge
