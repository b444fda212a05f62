#pragma once
// The simulated printer on the fake USB bus: the bytes of bulk OUT transfers go
// to the printer's side of the protocol, and its answers wait for bulk IN.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "printersim/printer_engine.h"
#include "usb/fake_usb_backend.h"

namespace dotforge::sim {

class UsbPrinter : public usb::FakeUsbFunction {
 public:
  explicit UsbPrinter(std::size_t memory = kDefaultMemory) : engine_(memory) {}

  void Received(ByteView bytes, Bytes& answer) override;
  void Unplugged() override;

  // Everything received so far, and what the printer holds.
  Bytes ReceivedBytes() const;
  std::array<std::optional<StoredFont>, kSlots> Slots() const;
  std::vector<std::string> Log() const;
  // Forgets what was received (the fonts stay).
  void ClearReceived();
  // Keeps no copy of what is received (long benchmark runs).
  void SetRecording(bool recording);

 private:
  mutable std::mutex mutex_;
  PrinterEngine engine_;
  Bytes received_;
  std::vector<std::string> log_;
  bool recording_ = true;
};

// A printer-class device with bulk endpoints 0x01 (OUT) and 0x82 (IN).
usb::FakeDeviceSpec UsbPrinterSpec();

}  // namespace dotforge::sim
