#pragma once
// A printer on a serial line: the device opened exclusively, in raw mode with
// the link's line settings, its output paced by the line's own schedule.

#include <string>

#include "comm/line_parameters.h"
#include "escpos/send/escpos_output.h"

namespace dotforge {

OpenedOutput OpenSerialOutput(const std::string& path, const LineParameters& line);

}  // namespace dotforge
