#pragma once
// The "Character Position" dialog through which Add, Paste and Map ask for a code,
// and the reading of the hexadecimal text typed into it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/prompt.h"

namespace dotforge {

// A text of exactly 2 or 4 characters read as hexadecimal (up to the first
// character that is not a hex digit). Any other text shows "Error : Not a valid
// Hex value" and gives 0.
std::int32_t ParseHexCode(std::string_view text, Prompt& prompt);

// The OK check of the dialog: the code must lie in the range of the font type.
bool CheckCodeEntry(std::int32_t fontType, std::string_view text, Prompt& prompt);

// Shows the dialog with an empty field; the accepted text, or nothing on Cancel.
std::optional<std::string> RunCodeEntryDialog(std::int32_t fontType, Prompt& prompt);

}  // namespace dotforge
