#pragma once
// One glyph's bytes in a C array's layout, from and to the packed cell of the
// font set (rows, the leftmost dot in the most significant bit, 1 = black). Bits
// beyond the cell (a row's last byte, a column's last band) are 0 whatever the
// options.

#include <cstdint>

#include "formats/firmware/firmware_options.h"
#include "platform/bytes.h"

namespace dotforge {

// Cells of 1 to 255 dots a side: the cells the C array export writes and its
// reader takes.
bool IsCArrayCell(std::int32_t width, std::int32_t height);

// Bytes of one glyph: BytesPerRow(width) x height in rows, width x bands of 8
// rows in columns.
std::size_t CArrayGlyphBytes(std::int32_t width, std::int32_t height, DotLayout layout);

// Appends the glyph of `cell` (CellSize(width, height) bytes) in the options' layout.
void AppendCArrayGlyph(ByteView cell, std::int32_t width, std::int32_t height, const CArrayOptions& options,
                       Bytes& out);

// Writes the glyph of `glyph` (CArrayGlyphBytes) into `cell` (CellSize bytes, zeroed).
void ReadCArrayGlyph(ByteView glyph, std::int32_t width, std::int32_t height, const CArrayOptions& options,
                     std::uint8_t* cell);

}  // namespace dotforge
