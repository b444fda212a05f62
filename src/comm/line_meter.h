#pragma once
// How many of the bytes handed to the device have not left the line yet. A
// device may take far more bytes than the line carries at once (a terminal's
// output queue, a pseudo-terminal's buffer), so "written" does not mean "sent".
// The meter keeps the line's own schedule: every byte takes its line time after
// the ones before it. The device's output queue, where it reports one, counts
// too, so a line held back by flow control is never taken for drained.

#include <chrono>
#include <cstddef>
#include <mutex>

namespace dotforge {

class LineMeter {
 public:
  // `bytesPerSecond` 0: only the device's own queue counts.
  void SetLine(int fd, double bytesPerSecond);
  // The writer has just handed `bytes` to the device.
  void Handed(std::size_t bytes);
  // Bytes handed over that are still on their way.
  std::size_t Backlog() const;

 private:
  using Clock = std::chrono::steady_clock;

  mutable std::mutex lock_;
  int fd_ = -1;
  double bytesPerSecond_ = 0;
  Clock::time_point lineFree_{};
};

// Bytes per second of a serial line: start bit, 8 data bits, parity bit if
// any, one stop bit.
double SerialBytesPerSecond(int baudRate, bool parity);

}  // namespace dotforge
