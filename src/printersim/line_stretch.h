#pragma once
// The schedule of a stretch of bytes a serial line carries without a pause: the
// stretch's bytes arrive one after another, each one line time after the one
// before, counted from the moment the stretch started. Counting from the start,
// rather than from whenever the reader woke up, keeps a late reader from
// slowing the line down.

#include <chrono>
#include <cstddef>

namespace dotforge::sim {

class LineStretch {
 public:
  using Clock = std::chrono::steady_clock;

  explicit LineStretch(Clock::time_point start) : start_(start) {}

  // The moment `bytes` more have arrived at `bytesPerSecond`.
  Clock::time_point Carry(std::size_t bytes, double bytesPerSecond) {
    seconds_ += static_cast<double>(bytes) / bytesPerSecond;
    return start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds_));
  }

 private:
  Clock::time_point start_;
  double seconds_ = 0;  // the line time of the bytes so far
};

}  // namespace dotforge::sim
