#include "platform/overlapped_io.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace dotforge {
namespace {

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

bool IsLineGoneError(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == EPIPE; }

IoStart OverlappedIo::StartRead(int fd, std::span<std::uint8_t> buffer) {
  fd_ = fd;
  writing_ = false;
  readBuffer_ = buffer.data();
  size_ = buffer.size();
  done_ = 0;
  error_ = 0;
  pending_ = true;
  if (pipe_) return Began(pipe_->BeginRead(size_));
  Step();
  if (error_ != 0) return IoStart::Failed;
  return pending_ ? IoStart::Pending : IoStart::Completed;
}

IoStart OverlappedIo::StartWrite(int fd, ByteView bytes) {
  fd_ = fd;
  writing_ = true;
  writeBytes_ = bytes.data();
  size_ = bytes.size();
  done_ = 0;
  error_ = 0;
  pending_ = size_ > 0;
  if (pipe_ && pending_) return Began(pipe_->BeginWrite(bytes));
  while (pending_ && Step()) {
  }
  if (error_ != 0) return IoStart::Failed;
  return pending_ ? IoStart::Pending : IoStart::Completed;
}

IoStart OverlappedIo::Began(int error) {
  if (error == 0) return IoStart::Pending;
  error_ = error;
  pending_ = false;
  return IoStart::Failed;
}

void OverlappedIo::CollectFromPipe() {
  const std::span<std::uint8_t> readInto(writing_ ? nullptr : readBuffer_, writing_ ? 0 : size_);
  if (pipe_->Collect(readInto, done_, error_)) pending_ = false;
}

bool OverlappedIo::Step() {
  ssize_t moved;
  do {
    moved = writing_ ? write(fd_, writeBytes_ + done_, size_ - done_) : read(fd_, readBuffer_, size_);
  } while (moved < 0 && errno == EINTR);
  if (moved < 0) {
    if (WouldBlock(errno)) return false;
    error_ = errno;
    pending_ = false;
    return false;
  }
  if (!writing_) {
    // A terminal in raw mode with VMIN 1 reports "no data" as EAGAIN, so an
    // empty read means the line hung up.
    if (moved == 0) error_ = EIO;
    done_ = static_cast<std::size_t>(moved);
    pending_ = false;
    return false;
  }
  done_ += static_cast<std::size_t>(moved);
  pending_ = done_ < size_;
  return pending_;
}

IoWait OverlappedIo::WaitForCompletion(std::span<Event* const> stops, int timeoutMs) {
  const Deadline deadline(timeoutMs);
  std::vector<pollfd> fds(stops.size() + 1);
  while (pending_) {
    for (std::size_t i = 0; i < stops.size(); ++i) fds[i] = {stops[i]->Fd(), POLLIN, 0};
    fds.back() = pipe_ ? pollfd{pipe_->CompletionFd(), POLLIN, 0}
                       : pollfd{fd_, static_cast<short>(writing_ ? POLLOUT : POLLIN), 0};
    const int ready = poll(fds.data(), fds.size(), deadline.RemainingMs());
    if (ready < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return IoWait::Failed;
    }
    if (ready == 0) {
      stoppedBy_ = stops.size();
      return IoWait::Stopped;
    }
    for (std::size_t i = 0; i < stops.size(); ++i) {
      if ((fds[i].revents & POLLIN) && (stops[i]->Mode() == ResetMode::Manual || stops[i]->Test())) {
        stoppedBy_ = i;
        return IoWait::Stopped;
      }
    }
    const short revents = fds.back().revents;
    if (pipe_ && revents != 0) {
      CollectFromPipe();
    } else if (revents & POLLNVAL) {
      error_ = EBADF;
      pending_ = false;
    } else if (revents != 0) {
      // Readiness, hang-up or error: the next attempt tells which.
      while (Step()) {
      }
      // A hang-up that still reads as "no data yet" would spin here forever.
      if (pending_ && (revents & (POLLHUP | POLLERR)) && !(revents & (POLLIN | POLLOUT))) {
        error_ = EIO;
        pending_ = false;
      }
    }
  }
  return error_ == 0 ? IoWait::Completed : IoWait::Failed;
}

bool OverlappedIo::GetResult(std::size_t& transferred) const {
  transferred = done_;
  return error_ == 0;
}

}  // namespace dotforge
