#include "cli/interrupt_cancel.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

namespace dotforge::cli {
namespace {

// The write end of the interrupt pipe, for the handler: set once before the
// handler is first installed.
std::atomic<int> interruptPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free descriptor");

// write() is async-signal-safe; the handler keeps errno for the code it interrupted.
extern "C" void WriteInterrupt(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(interruptPipe.load(), &byte, 1);
  errno = saved;
}

}  // namespace

// Hands each byte of the interrupt pipe to the InterruptCancel objects alive
// at that moment. Lives as long as the process.
class InterruptWatcher {
 public:
  static InterruptWatcher& Instance() {
    // Never destroyed: the reading thread may outlive static destruction.
    static InterruptWatcher* const watcher = new InterruptWatcher();
    return *watcher;
  }

  void Add(InterruptCancel& listener) {
    const std::lock_guard lock(mutex_);
    if (listeners_.empty() && interruptPipe.load() >= 0) previous_ = std::signal(SIGINT, WriteInterrupt);
    listeners_.push_back(&listener);
  }

  void Remove(InterruptCancel& listener) {
    const std::lock_guard lock(mutex_);
    std::erase(listeners_, &listener);
    if (listeners_.empty() && interruptPipe.load() >= 0) std::signal(SIGINT, previous_);
  }

  int Interrupts(const InterruptCancel& listener) {
    const std::lock_guard lock(mutex_);
    return listener.interrupts_;
  }

 private:
  InterruptWatcher() {
    int ends[2] = {-1, -1};
    if (pipe2(ends, O_CLOEXEC) != 0) return;
    // A full pipe drops a Ctrl-C rather than blocking the handler.
    fcntl(ends[1], F_SETFL, O_NONBLOCK);
    interruptPipe = ends[1];
    std::thread([this, readEnd = ends[0]] { Watch(readEnd); }).detach();
  }

  void Watch(int readEnd) {
    char byte = 0;
    for (;;) {
      const ssize_t count = read(readEnd, &byte, 1);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) return;
      const std::lock_guard lock(mutex_);
      for (InterruptCancel* listener : listeners_) listener->Interrupted();
    }
  }

  std::mutex mutex_;
  std::vector<InterruptCancel*> listeners_;
  void (*previous_)(int) = SIG_DFL;
};

InterruptCancel::InterruptCancel(Event& cancel) : cancel_(cancel), abandon_(nullptr) {
  InterruptWatcher::Instance().Add(*this);
}

InterruptCancel::InterruptCancel(Event& cancel, Event& abandon) : cancel_(cancel), abandon_(&abandon) {
  InterruptWatcher::Instance().Add(*this);
}

InterruptCancel::~InterruptCancel() { InterruptWatcher::Instance().Remove(*this); }

int InterruptCancel::Interrupts() const { return InterruptWatcher::Instance().Interrupts(*this); }

void InterruptCancel::Interrupted() {
  ++interrupts_;
  cancel_.Set();
  if (abandon_ && interrupts_ > 1) abandon_->Set();
}

}  // namespace dotforge::cli
