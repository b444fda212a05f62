#pragma once
// A bulk endpoint as an AsyncPipe: each read or write is one bulk transfer into
// or out of the pipe's own buffer, so a caller that stops waiting may free its
// buffer while the transfer still runs. Completion sets an eventfd.

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/async_pipe.h"
#include "platform/event.h"
#include "usb/usb_backend.h"

namespace dotforge::usb {

class BulkPipe : public AsyncPipe {
 public:
  BulkPipe(std::shared_ptr<DeviceHandle> device, std::unique_ptr<BulkEndpoint> endpoint);
  ~BulkPipe() override { Cancel(); }
  BulkPipe(const BulkPipe&) = delete;
  BulkPipe& operator=(const BulkPipe&) = delete;

  // Cancels a running transfer and waits until its completion has run.
  void Cancel();

  int BeginRead(std::size_t capacity) override;
  int BeginWrite(ByteView bytes) override;
  int CompletionFd() const override { return done_.Fd(); }
  bool Collect(std::span<std::uint8_t> readInto, std::size_t& transferred, int& error) override;

 private:
  int Begin(std::size_t length);
  void Completed(int transferStatus, std::size_t transferred);

  std::shared_ptr<DeviceHandle> device_;  // outlives the endpoint
  std::unique_ptr<BulkEndpoint> endpoint_;
  Bytes buffer_;
  std::mutex mutex_;
  std::condition_variable idle_;
  bool running_ = false;
  int status_ = 0;
  std::size_t transferred_ = 0;
  Event done_{ResetMode::Manual};
};

// The errno value standing for a libusb transfer status, and for a libusb error code.
int ErrnoFromTransferStatus(int transferStatus);
int ErrnoFromLibusb(int error);

}  // namespace dotforge::usb
