#pragma once
// Ctrl-C sets an event while an InterruptCancel lives, so that a command
// waiting on pollable signals ends at once and cleanly.

#include "platform/event.h"

namespace dotforge::cli {

class InterruptCancel {
 public:
  explicit InterruptCancel(Event& cancel);
  ~InterruptCancel();
  InterruptCancel(const InterruptCancel&) = delete;
  InterruptCancel& operator=(const InterruptCancel&) = delete;

 private:
  void (*previous_)(int) = nullptr;
};

}  // namespace dotforge::cli
