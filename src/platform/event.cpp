#include "platform/event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

namespace dotforge {
namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// True when the event's counter was taken (it was set).
bool Drain(int fd) {
  std::uint64_t value = 0;
  for (;;) {
    if (read(fd, &value, sizeof value) == static_cast<ssize_t>(sizeof value)) return true;
    if (errno != EINTR) return false;
  }
}

// Polls with a deadline, restarting after signals.
int PollUntil(std::vector<pollfd>& fds, const Deadline& deadline) {
  for (;;) {
    const int ready = poll(fds.data(), fds.size(), deadline.RemainingMs());
    if (ready >= 0 || errno != EINTR) return ready;
  }
}

}  // namespace

Event::Event(ResetMode mode, bool initiallySet)
    : fd_(eventfd(initiallySet ? 1 : 0, EFD_NONBLOCK | EFD_CLOEXEC)), mode_(mode) {}

Event::~Event() {
  if (fd_ >= 0) close(fd_);
}

void Event::Set() {
  const std::uint64_t one = 1;
  while (write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void Event::Reset() { Drain(fd_); }

bool Event::Test() {
  if (mode_ == ResetMode::Auto) return Drain(fd_);
  pollfd entry{fd_, POLLIN, 0};
  return poll(&entry, 1, 0) > 0 && (entry.revents & POLLIN);
}

bool Event::Wait(int timeoutMs) {
  Event* self = this;
  return WaitForAny(std::span<Event* const>(&self, 1), timeoutMs).kind == WaitOutcome::Kind::Signaled;
}

WaitOutcome WaitForAny(std::span<Event* const> events, int timeoutMs) {
  const Deadline deadline(timeoutMs);
  std::vector<pollfd> fds(events.size());
  for (;;) {
    for (std::size_t i = 0; i < events.size(); ++i) fds[i] = {events[i]->Fd(), POLLIN, 0};
    const int ready = PollUntil(fds, deadline);
    if (ready < 0) return {WaitOutcome::Kind::Failed};
    if (ready == 0) return {WaitOutcome::Kind::TimedOut};
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (fds[i].revents & (POLLERR | POLLNVAL)) return {WaitOutcome::Kind::Failed, i};
      if (!(fds[i].revents & POLLIN)) continue;
      // Another waiter may have consumed an auto-reset event first: keep waiting.
      if (events[i]->Mode() == ResetMode::Manual || Drain(events[i]->Fd())) return {WaitOutcome::Kind::Signaled, i};
    }
  }
}

Deadline::Deadline(int timeoutMs)
    : unlimited_(timeoutMs < 0), endNs_(NowNs() + static_cast<long long>(timeoutMs < 0 ? 0 : timeoutMs) * 1000000) {}

int Deadline::RemainingMs() const {
  if (unlimited_) return -1;
  const long long left = endNs_ - NowNs();
  if (left <= 0) return 0;
  return static_cast<int>((left + 999999) / 1000000);
}

}  // namespace dotforge
