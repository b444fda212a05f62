#pragma once
// Linux console fonts, PSF1 and PSF2 (unpacked): every glyph fills the header's
// w x h box on the baseline (A = h, D = 0). A glyph takes each code point the
// font's Unicode table lists for it; without a table, its index.

#include <optional>
#include <string>

#include "formats/bitmap/bitmap_font.h"

namespace dotforge {

// The font, or nothing with the reason in `problem`. Never reads past `bytes`.
std::optional<BitmapFont> ReadPsfFont(ByteView bytes, std::string& problem);

// True when the bytes start with a PSF1 or PSF2 signature.
bool IsPsfFont(ByteView bytes);

}  // namespace dotforge
