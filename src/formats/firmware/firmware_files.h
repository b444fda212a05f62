#pragma once
// The firmware headers' entries in the format table: the GFX font and C array
// writers with the export dialog's options, the C array reader.

#include "formats/format_entry_points.h"

namespace dotforge {

bool WriteGfxFont(const FormatWrite& write);
bool WriteCArray(const FormatWrite& write);
bool ReadCArray(const FormatRead& read);

}  // namespace dotforge
