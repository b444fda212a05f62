#pragma once
// The writer entry points of the printer streams (1B26, 1F26); they are read
// when the font set opens.

#include "formats/format_entry_points.h"

namespace dotforge {

bool WriteEscStream(const FormatWrite& write);
bool WriteUsStream(const FormatWrite& write);

}  // namespace dotforge
