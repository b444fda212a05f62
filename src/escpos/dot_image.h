#pragma once
// A two-tone picture: black dots on white, row by row from the top left.

#include <cstdint>
#include <vector>

namespace dotforge {

struct DotImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> dots;  // width * height, 1 = black
  bool Black(std::int32_t x, std::int32_t y) const {
    return dots[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] != 0;
  }
};

}  // namespace dotforge
