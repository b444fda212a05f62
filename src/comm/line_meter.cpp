#include "comm/line_meter.h"

#include <sys/ioctl.h>

#include <algorithm>

namespace dotforge {

void LineMeter::SetLine(int fd, double bytesPerSecond) {
  const std::lock_guard guard(lock_);
  fd_ = fd;
  bytesPerSecond_ = bytesPerSecond;
  lineFree_ = Clock::now();
}

void LineMeter::Handed(std::size_t bytes) {
  const std::lock_guard guard(lock_);
  if (bytesPerSecond_ <= 0) return;
  const auto lineTime = std::chrono::duration<double>(static_cast<double>(bytes) / bytesPerSecond_);
  lineFree_ = std::max(lineFree_, Clock::now()) + std::chrono::duration_cast<Clock::duration>(lineTime);
}

std::size_t LineMeter::Backlog() const {
  const std::lock_guard guard(lock_);
  std::size_t scheduled = 0;
  const Clock::time_point now = Clock::now();
  if (bytesPerSecond_ > 0 && lineFree_ > now) {
    // Rounded up: a byte partly on the line has not left it.
    scheduled = static_cast<std::size_t>(std::chrono::duration<double>(lineFree_ - now).count() * bytesPerSecond_) + 1;
  }
  int queued = 0;
  if (fd_ < 0 || ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued < 0) queued = 0;
  return std::max(scheduled, static_cast<std::size_t>(queued));
}

double SerialBytesPerSecond(int baudRate, bool parity) { return baudRate / (parity ? 11.0 : 10.0); }

}  // namespace dotforge
