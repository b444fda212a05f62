#include "usb/bulk_pipe.h"

#include <libusb.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dotforge::usb {

int ErrnoFromTransferStatus(int transferStatus) {
  switch (transferStatus) {
    case LIBUSB_TRANSFER_COMPLETED:
      return 0;
    case LIBUSB_TRANSFER_CANCELLED:
      return ECANCELED;
    case LIBUSB_TRANSFER_NO_DEVICE:
      return ENODEV;
    case LIBUSB_TRANSFER_STALL:
      return EPIPE;
    case LIBUSB_TRANSFER_OVERFLOW:
      return EOVERFLOW;
    case LIBUSB_TRANSFER_TIMED_OUT:
      return ETIMEDOUT;
    default:
      return EIO;
  }
}

int ErrnoFromLibusb(int error) {
  switch (error) {
    case LIBUSB_SUCCESS:
      return 0;
    case LIBUSB_ERROR_NO_DEVICE:
      return ENODEV;
    case LIBUSB_ERROR_BUSY:
      return EBUSY;
    case LIBUSB_ERROR_ACCESS:
      return EACCES;
    case LIBUSB_ERROR_NOT_FOUND:
      return ENOENT;
    case LIBUSB_ERROR_NO_MEM:
      return ENOMEM;
    case LIBUSB_ERROR_PIPE:
      return EPIPE;
    default:
      return EIO;
  }
}

BulkPipe::BulkPipe(std::shared_ptr<DeviceHandle> device, std::unique_ptr<BulkEndpoint> endpoint)
    : device_(std::move(device)), endpoint_(std::move(endpoint)) {}

void BulkPipe::Cancel() {
  std::unique_lock lock(mutex_);
  if (!running_) return;
  lock.unlock();
  endpoint_->Cancel();
  lock.lock();
  idle_.wait(lock, [this] { return !running_; });
}

int BulkPipe::BeginRead(std::size_t capacity) { return Begin(capacity); }

int BulkPipe::BeginWrite(ByteView bytes) {
  {
    const std::lock_guard lock(mutex_);
    if (running_) return EBUSY;
    buffer_.assign(bytes.begin(), bytes.end());
  }
  return Begin(bytes.size());
}

int BulkPipe::Begin(std::size_t length) {
  {
    const std::lock_guard lock(mutex_);
    if (running_) return EBUSY;
    if (buffer_.size() < length) buffer_.resize(length);
    running_ = true;
    done_.Reset();
  }
  // The completion may run before Submit returns, so no lock is held here.
  const int error = endpoint_->Submit(buffer_.data(), length,
                                      [this](int status, std::size_t moved) { Completed(status, moved); });
  if (error == LIBUSB_SUCCESS) return 0;
  const std::lock_guard lock(mutex_);
  running_ = false;
  idle_.notify_all();
  return ErrnoFromLibusb(error);
}

void BulkPipe::Completed(int transferStatus, std::size_t transferred) {
  const std::lock_guard lock(mutex_);
  status_ = transferStatus;
  transferred_ = std::min(transferred, buffer_.size());
  running_ = false;
  done_.Set();
  idle_.notify_all();
}

bool BulkPipe::Collect(std::span<std::uint8_t> readInto, std::size_t& transferred, int& error) {
  const std::lock_guard lock(mutex_);
  if (running_) return false;
  done_.Reset();
  transferred = transferred_;
  if (!readInto.empty()) {
    transferred = std::min(transferred, readInto.size());
    std::memcpy(readInto.data(), buffer_.data(), transferred);
  }
  error = ErrnoFromTransferStatus(status_);
  return true;
}

}  // namespace dotforge::usb
