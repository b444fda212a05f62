#pragma once
// Reading the decimal numbers typed into the font dialogs.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dotforge {

// As scanf's "%d": blanks, an optional sign, then digits up to the first
// character that is not one. Nothing when no digit is read or it overflows.
std::optional<std::int32_t> ScanDecimal(std::string_view text);

// The whole text must be one integer, blanks around it allowed.
std::optional<std::int32_t> ReadWholeDecimal(std::string_view text);

}  // namespace dotforge
