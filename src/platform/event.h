#pragma once
// Signals a thread can wait on together with an I/O descriptor. Each is an
// eventfd, which poll() reports readable while the signal is set, so one poll can
// watch signals and a serial line at once.

#include <cstddef>
#include <initializer_list>
#include <span>

namespace dotforge {

enum class ResetMode {
  Auto,    // consumed by the first waiter that sees it
  Manual,  // stays set until Reset
};

class Event {
 public:
  explicit Event(ResetMode mode, bool initiallySet = false);
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  bool Valid() const { return fd_ >= 0; }
  ResetMode Mode() const { return mode_; }
  int Fd() const { return fd_; }

  void Set();
  void Reset();
  // Tests without waiting. A set auto-reset event is consumed by the test.
  bool Test();
  // Waits up to `timeoutMs` (negative: no limit); true when the event was set.
  bool Wait(int timeoutMs);

 private:
  int fd_;
  ResetMode mode_;
};

struct WaitOutcome {
  enum class Kind { Signaled, TimedOut, Failed } kind;
  std::size_t index = 0;  // which event, when Signaled
};

// Waits until one of `events` is set (the first in list order wins when several
// are) or `timeoutMs` passes (negative: no limit). An auto-reset event that is
// reported is consumed.
WaitOutcome WaitForAny(std::span<Event* const> events, int timeoutMs);
inline WaitOutcome WaitForAny(std::initializer_list<Event*> events, int timeoutMs) {
  return WaitForAny(std::span<Event* const>(events.begin(), events.size()), timeoutMs);
}

// Milliseconds left until a deadline taken from the steady clock; -1 stays -1.
class Deadline {
 public:
  explicit Deadline(int timeoutMs);
  int RemainingMs() const;
  bool Passed() const { return RemainingMs() == 0; }

 private:
  bool unlimited_;
  long long endNs_;
};

}  // namespace dotforge
