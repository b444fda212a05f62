#pragma once
// Ctrl-C sets an event while an InterruptCancel lives, so that a command
// waiting on pollable signals ends at once and cleanly. Several may live at
// once (two commands in one process): each Ctrl-C reaches all of them.
//
// The signal handler only writes a byte to a pipe that lives as long as the
// process; a thread of its own reads it and sets the events, so no event is
// touched from the handler and none is set after its InterruptCancel has gone.

#include "platform/event.h"

namespace dotforge::cli {

class InterruptCancel {
 public:
  // Every Ctrl-C sets `cancel`.
  explicit InterruptCancel(Event& cancel);
  // The first Ctrl-C sets `cancel`; the second and later ones set `abandon` too.
  InterruptCancel(Event& cancel, Event& abandon);
  ~InterruptCancel();
  InterruptCancel(const InterruptCancel&) = delete;
  InterruptCancel& operator=(const InterruptCancel&) = delete;

  // How many times Ctrl-C was pressed while this object lived.
  int Interrupts() const;

 private:
  friend class InterruptWatcher;
  void Interrupted();

  Event& cancel_;
  Event* abandon_;
  int interrupts_ = 0;  // guarded by the watcher's lock
};

}  // namespace dotforge::cli
