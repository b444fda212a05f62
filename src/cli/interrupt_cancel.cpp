#include "cli/interrupt_cancel.h"

#include <csignal>

namespace dotforge::cli {
namespace {

Event* interruptTarget = nullptr;

// Setting an eventfd is a write(), which a signal handler may call.
extern "C" void SetOnInterrupt(int) {
  if (interruptTarget) interruptTarget->Set();
}

}  // namespace

InterruptCancel::InterruptCancel(Event& cancel) {
  interruptTarget = &cancel;
  previous_ = std::signal(SIGINT, SetOnInterrupt);
}

InterruptCancel::~InterruptCancel() {
  std::signal(SIGINT, previous_);
  interruptTarget = nullptr;
}

}  // namespace dotforge::cli
