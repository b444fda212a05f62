#pragma once
// Code subsets written as hexadecimal codes and ranges: "20-7E,A0-FF,8140".

#include <optional>
#include <string_view>
#include <vector>

#include "model/app_values.h"

namespace dotforge {

// The ranges of the text, or nothing when a part is not CODE or FIRST-LAST
// (hexadecimal, at most 0xFFFFFF, FIRST not above LAST).
std::optional<std::vector<CodeRange>> ParseCodeRanges(std::string_view text);

// True when `code` lies in one of the ranges.
bool InCodeRanges(const std::vector<CodeRange>& ranges, std::uint32_t code);

}  // namespace dotforge
