#pragma once
// Outline and bitmap font files for the outline import tests: the DejaVu fonts of
// the system, and files made from them or written here.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace dotforge::test {

// A DejaVu font of the system ("DejaVuSans.ttf"); empty when it is not installed.
std::filesystem::path DejaVuFont(const std::string& name);

// A TrueType collection holding the given single-face fonts, in order.
Bytes MakeCollection(const std::vector<Bytes>& fonts);

// The font with its character map table keeping only its first `count` maps.
Bytes KeepCharmaps(Bytes font, int count);

// The font with neither a character map nor glyph names, so that FreeType finds
// no character map at all.
Bytes WithoutCharmaps(Bytes font);

// The font with its character maps replaced by one Unicode map (format 13) that
// maps the `count` codes from `firstCode` on to glyph `glyph`.
Bytes WithManyToOneCharmap(Bytes font, std::uint32_t firstCode, std::uint32_t count, std::uint32_t glyph);

// A small BDF bitmap font: 'A' 5 x 6 on the baseline, 'j' 3 x 8 reaching 4 dots
// below it.
std::string SmallBdfFont();

// A BDF bitmap font of `count` one-dot characters with the Unicode codes 0x20,
// 0x21, ... in order; the character of code c has its dot in column c % 4 of a
// 4 x 1 cell, so that a shift in the order shows.
std::string ManyCharactersBdfFont(int count);

}  // namespace dotforge::test
