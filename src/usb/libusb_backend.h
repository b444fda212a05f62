#pragma once
// The backend on libusb-1.0. One event thread handles the completions of all
// asynchronous transfers; it sleeps in libusb's poll until there is something
// to do. It is stopped as libusb documents for a thread of its own: the stop
// request is set, then libusb_interrupt_event_handler wakes the thread.

#include <libusb.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "usb/usb_backend.h"

namespace dotforge::usb {

class LibusbBackend : public Backend {
 public:
  LibusbBackend();
  ~LibusbBackend() override;
  LibusbBackend(const LibusbBackend&) = delete;
  LibusbBackend& operator=(const LibusbBackend&) = delete;

  bool Available() const override { return context_ != nullptr; }
  DriverInfo Driver() const override;
  std::vector<DeviceEntry> Devices() override;
  int Open(const DeviceEntry& entry, std::shared_ptr<DeviceHandle>& handle) override;
  void DeviceStrings(const DeviceEntry& entry, std::string& manufacturer, std::string& product) override;

 private:
  void HandleEvents();

  libusb_context* context_ = nullptr;
  std::atomic<bool> stopEvents_{false};
  std::thread events_;
  std::mutex openLock_;
  std::map<const void*, std::weak_ptr<DeviceHandle>> open_;
};

}  // namespace dotforge::usb
