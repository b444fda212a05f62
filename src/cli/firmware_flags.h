#pragma once
// The convert command's options for the firmware headers: the C array's layout
// flags and the GFX font's codes.

#include <set>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_prompt.h"

namespace dotforge::cli {

// "layout", "bit-order" (with values) and "invert", "art" (flags).
const std::set<std::string>& FirmwareOptions();
const std::set<std::string>& FirmwareFlags();
const char* FirmwareOptionsHelp();

// Takes the options into `choice` for a carray or gfx output (gfx takes --codes,
// which then no longer chooses the input's codes unless the input is a bitmap
// font); false after a usage error, such as a layout option for another output.
bool TakeFirmwareOptions(int outputFormat, bool bitmapInput, ParsedArguments& parsed, FileChoice& choice,
                         std::string& error);

}  // namespace dotforge::cli
