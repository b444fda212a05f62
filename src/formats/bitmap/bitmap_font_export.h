#pragma once
// The export of a font set as a bitmap font (BDF, PSF2, Unifont hex): the checks
// each makes, its writer into memory, then the atomic save.

#include "formats/format_entry_points.h"

namespace dotforge {

// Each writes the answer's file, false after a message when a check refuses the
// font set or the file cannot be written. BDF takes the answer's baseline (unset:
// FontSetBaseline) and code page (empty: the codes are Unicode); PSF2 its code page.
bool WriteBdfFont(const FormatWrite& write);
bool WritePsfFont(const FormatWrite& write);
bool WriteHexFont(const FormatWrite& write);

}  // namespace dotforge
