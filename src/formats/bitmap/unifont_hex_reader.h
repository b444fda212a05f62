#pragma once
// GNU Unifont's hex format: one "CODE:BITMAP" line per glyph, CODE the code point
// in hexadecimal, BITMAP 32 or 64 hexadecimal digits for an 8 x 16 or 16 x 16
// glyph, rows top to bottom. Every glyph stands 2 dots below the baseline
// (yoff -2) in a font of ascent 14 and descent 2.

#include <optional>
#include <string>

#include "formats/bitmap/bitmap_font.h"

namespace dotforge {

inline constexpr std::int32_t kUnifontAscent = 14;
inline constexpr std::int32_t kUnifontDescent = 2;
inline constexpr std::int32_t kUnifontHeight = 16;

// The font, or nothing with the reason (and line number) in `problem`. Blank
// lines are passed over. Never reads past `bytes`.
std::optional<BitmapFont> ReadUnifontHex(ByteView bytes, std::string& problem);

}  // namespace dotforge
