#pragma once
// Where an ESC/POS stream goes: a serial line, a raw TCP port, or a USB printer
// device file, and the limits of sending there.

#include <cstdint>
#include <string>

#include "comm/line_parameters.h"

namespace dotforge {

enum class EscPosLinkKind { Serial, Network, Device };

inline constexpr std::uint16_t kDefaultEscPosPort = 9100;

struct EscPosTarget {
  EscPosLinkKind kind = EscPosLinkKind::Network;
  std::string host;                         // Network
  std::uint16_t port = kDefaultEscPosPort;  // Network
  std::string path;                         // Serial and Device: the device file
  LineParameters line = DefaultLineParameters();  // Serial
};

struct EscPosLimits {
  int connectMs = 3000;
  // Longest time without a byte leaving before the printer counts as stalled.
  int stallMs = 10000;
};

// "HOST:PORT" (an IPv6 address in brackets) of a network target.
std::string HostLabel(const EscPosTarget& target);

}  // namespace dotforge
