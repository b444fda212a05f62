#pragma once
// A block of dots as other programs and other editors receive it: the program's
// own byte form (width and height as 32-bit little-endian numbers, then the rows
// packed like a glyph bitmap) and text art.

#include <cstdint>
#include <optional>
#include <string>

#include "edit/pixel_grid.h"
#include "platform/bytes.h"

namespace dotforge {

// The longest side a block of dots may claim when read back.
inline constexpr std::int32_t kLargestDotsSide = 4096;

Bytes EncodeDots(const PixelGrid& dots);
// The block `bytes` holds; none when a side is 0 or above kLargestDotsSide or
// the rows are shorter than the sides claim. Bytes after the rows are ignored.
std::optional<PixelGrid> DecodeDots(ByteView bytes);
// One line per row, '#' for a black dot and '.' for a white one, each line
// ending in '\n'.
std::string DotsTextArt(const PixelGrid& dots);

}  // namespace dotforge
