#pragma once
// The format names the command-line tool accepts (formats/format_extensions.h
// guesses a format from a file's extension).

#include <optional>
#include <string>
#include <string_view>

#include "formats/format_extensions.h"

namespace dotforge::cli {

// The import type of a format name ("dat", "dsb", "ddb", "st10", "st9", "asm",
// "1b", "1f", "ttf", "bdf", "pcf", "psf", "hex"), any case.
std::optional<int> FormatFromName(std::string_view name);
std::string FormatName(int format);
// The comma-separated names, for help texts.
std::string FormatNameList();
// Outline fonts and PCF files are read only; BDF, PSF and hex are also written.
bool IsWritableFormat(int format);

}  // namespace dotforge::cli
