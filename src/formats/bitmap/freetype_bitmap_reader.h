#pragma once
// X11 bitmap fonts, BDF 2.1 and PCF, read through FreeType's BDF and PCF drivers:
// each glyph's box and offsets (BBX), its code (ENCODING; unencoded glyphs are
// left out) and the font's FONT_ASCENT and FONT_DESCENT.

#include <optional>
#include <string>

#include "formats/bitmap/bitmap_font.h"

namespace dotforge {

// The font held in `bytes` (already unpacked), or nothing with the reason in
// `problem`. Codes count as Unicode when FreeType gives the font a Unicode map
// (CHARSET_REGISTRY ISO10646, or ISO8859-1).
std::optional<BitmapFont> ReadFreeTypeBitmapFont(ByteView bytes, std::string& problem);

}  // namespace dotforge
