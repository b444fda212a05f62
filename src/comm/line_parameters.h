#pragma once
// The serial line settings of a printer port and how they map onto termios.

#include <termios.h>

#include <cstdint>

#include "comm/comm_settings.h"

namespace dotforge {

struct LineParameters {
  std::int32_t baudRate = 115200;
  std::int32_t parity = kParityNone;
  // Hardware flow is RTS/CTS. termios has no output flow control on DSR, so the
  // DSR half of hardware flow control has nothing to map to and is left out.
  bool ctsFlow = false;
  // The printer may pause our output with XOFF and resume it with XON.
  bool outputXonXoff = false;
};

// 115200 baud, no parity, no flow control.
LineParameters DefaultLineParameters();
// The parameters for the settings' baud rate, parity and flow control indices;
// indices outside their tables keep the defaults.
LineParameters LineParametersFor(const CommSettings& settings);

// Raw 8-bit line: no echo, no CR/NL mapping, no signals, no software flow control
// unless asked, receiver on, modem status ignored, one stop bit, reads that return
// as soon as one byte is there.
void ConfigureTermios(termios& line, const LineParameters& parameters);

// The termios speed constant for a baud rate; B0 when it has none.
speed_t SpeedConstant(std::int32_t baudRate);

}  // namespace dotforge
