#pragma once
// The state of the Caps, Num and Scroll Lock keys, for the status bar indicators.

#include <optional>

namespace dotforge {

struct LockKeyState {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// The keyboard's lock indicators where the windowing system tells them (X11);
// nothing elsewhere.
std::optional<LockKeyState> ReadLockKeys();

}  // namespace dotforge
