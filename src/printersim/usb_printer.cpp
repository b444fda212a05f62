#include "printersim/usb_printer.h"

namespace dotforge::sim {

void UsbPrinter::Received(ByteView bytes, Bytes& answer) {
  const std::lock_guard lock(mutex_);
  if (recording_) received_.insert(received_.end(), bytes.begin(), bytes.end());
  for (const std::uint8_t byte : bytes) engine_.Feed(byte, answer, log_);
}

void UsbPrinter::Unplugged() {
  const std::lock_guard lock(mutex_);
  engine_.AbandonCommand();
}

Bytes UsbPrinter::ReceivedBytes() const {
  const std::lock_guard lock(mutex_);
  return received_;
}

std::array<std::optional<StoredFont>, kSlots> UsbPrinter::Slots() const {
  const std::lock_guard lock(mutex_);
  return engine_.Slots();
}

std::vector<std::string> UsbPrinter::Log() const {
  const std::lock_guard lock(mutex_);
  return log_;
}

void UsbPrinter::ClearReceived() {
  const std::lock_guard lock(mutex_);
  received_.clear();
  log_.clear();
}

void UsbPrinter::SetRecording(bool recording) {
  const std::lock_guard lock(mutex_);
  recording_ = recording;
}

usb::FakeDeviceSpec UsbPrinterSpec() {
  usb::FakeDeviceSpec spec;
  spec.configuration = usb::PrinterConfiguration();
  spec.manufacturer = "Dotforge";
  spec.product = "Simulated Receipt Printer";
  return spec;
}

}  // namespace dotforge::sim
