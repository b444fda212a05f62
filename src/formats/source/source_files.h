#pragma once
// The reader and writer entry points of the source files: ST10 C arrays, ST9
// and assembler listings. Reading parses the file into the glyph block the font
// set opens from.

#include "formats/format_entry_points.h"

namespace dotforge {

bool ReadSt10(const FormatRead& read);
bool ReadSt9(const FormatRead& read);
bool ReadAsm(const FormatRead& read);

bool WriteSt10(const FormatWrite& write);
bool WriteSt9(const FormatWrite& write);
bool WriteAsm(const FormatWrite& write);

}  // namespace dotforge
