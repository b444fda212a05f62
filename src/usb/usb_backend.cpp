#include "usb/usb_backend.h"

#include <atomic>

#include "platform/platform_kind.h"
#include "usb/libusb_backend.h"

namespace dotforge::usb {
namespace {

std::atomic<Backend*> installed{nullptr};

Backend& ProcessBackend() {
  static LibusbBackend backend;
  return backend;
}

}  // namespace

bool UsbOffered(int platformKind) { return UsbAvailable(platformKind) || CurrentBackend().Available(); }

Backend& CurrentBackend() {
  Backend* backend = installed.load();
  return backend ? *backend : ProcessBackend();
}

ScopedBackend::ScopedBackend(Backend& backend) : previous_(installed.exchange(&backend)) {}

ScopedBackend::~ScopedBackend() { installed.store(previous_); }

}  // namespace dotforge::usb
