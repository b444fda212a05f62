#pragma once
// The operating-system kind the printer link asks about: it decides whether USB
// is offered and how hardware flow control is set up on a serial line.

namespace dotforge {

inline constexpr int kPlatformUnknown = 0;
inline constexpr int kPlatformWindows95 = 1;
inline constexpr int kPlatformWindows98 = 2;
inline constexpr int kPlatformWindowsMe = 3;
inline constexpr int kPlatformWindowsNt4 = 4;
inline constexpr int kPlatformWindows2000 = 5;
inline constexpr int kPlatformWindowsXp = 6;

// The kind of the running system. Everything that is not one of the named
// Windows versions, Linux included, is kind 0.
int CurrentPlatformKind();

// USB printers are offered on kinds 2, 3, 5 and 6 only.
constexpr bool UsbAvailable(int platformKind) {
  return platformKind == kPlatformWindows98 || platformKind == kPlatformWindowsMe ||
         platformKind == kPlatformWindows2000 || platformKind == kPlatformWindowsXp;
}

}  // namespace dotforge
