#pragma once
// The comments the firmware exports put beside their glyphs: the code with its
// character, and the glyph drawn in '#' (black) and '.' (white).

#include <cstdint>

#include "formats/writer_support.h"
#include "platform/bytes.h"

namespace dotforge {

// "0x41 'A'" (with `minDigits` 2) or "0x4E00": the code in upper-case hexadecimal
// of at least `minDigits` digits, and the character when it is printable ASCII.
void PutCodeName(TextOut& out, std::uint32_t code, int minDigits);

// One line "  /* ..##.... */" per row of the packed `cell`.
void PutGlyphArt(TextOut& out, ByteView cell, std::int32_t width, std::int32_t height);

}  // namespace dotforge
