#pragma once
// Pixel grids written as pictures: one string per row, '#' black, '.' white.

#include <string>
#include <vector>

#include "edit/pixel_grid.h"

namespace dotforge::test {

using Picture = std::vector<std::string>;

inline PixelGrid GridFrom(const Picture& picture) {
  const auto height = static_cast<std::int32_t>(picture.size());
  const auto width = picture.empty() ? 0 : static_cast<std::int32_t>(picture[0].size());
  PixelGrid grid(width, height);
  for (std::int32_t row = 0; row < height; ++row) {
    for (std::int32_t column = 0; column < width; ++column) {
      grid.Set(column, row, picture[row][column] == '#' ? kBlackPixel : kWhitePixel);
    }
  }
  return grid;
}

inline Picture PictureOf(const PixelGrid& grid) {
  Picture picture;
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    std::string line;
    for (std::int32_t column = 0; column < grid.Width(); ++column) {
      line += grid.At(column, row) == kBlackPixel ? '#' : '.';
    }
    picture.push_back(line);
  }
  return picture;
}

// The picture on one line, rows split by '/'.
inline std::string OneLine(const PixelGrid& grid) {
  std::string line;
  for (const std::string& row : PictureOf(grid)) line += (line.empty() ? "" : "/") + row;
  return line;
}

inline PixelGrid GridFromLine(const std::string& line) {
  Picture picture(1);
  for (const char c : line) {
    if (c == '/') {
      picture.emplace_back();
    } else {
      picture.back() += c;
    }
  }
  return GridFrom(picture);
}

// The letter A in an 8 x 7 cell, with a dot in the last column to show what a
// push to the right loses.
inline const Picture kLetterA = {
    "..##....",
    ".#..#...",
    "#....#..",
    "######..",
    "#....#..",
    "#....#.#",
    "........",
};

}  // namespace dotforge::test
