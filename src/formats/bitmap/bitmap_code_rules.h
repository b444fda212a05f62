#pragma once
// Which glyphs of a bitmap font become characters, and at which codes: codes below
// 0x20 are skipped, Unicode is re-encoded into a code page when one is chosen, a
// code subset and the font type narrow the rest, and of glyphs landing on one code
// the one of the lower source code wins.

#include <vector>

#include "formats/bitmap/bitmap_font.h"
#include "formats/codepages/code_page_encoder.h"
#include "model/app_values.h"

namespace dotforge {

struct CodedGlyph {
  std::uint32_t code = 0;
  std::size_t glyph = 0;  // index into the font's glyphs
};

// The kept glyphs in ascending code order, each code once; what was left out is
// added to `counts`. `encoder` is null when the font's codes are kept.
std::vector<CodedGlyph> ChooseCodes(const BitmapFont& font, const BitmapImportOptions& options,
                                    const CodePageEncoder* encoder, BitmapImportCounts& counts);
// The same for glyphs known by their source codes alone: glyph i has `sourceCodes[i]`.
std::vector<CodedGlyph> ChooseCodes(const std::vector<std::uint32_t>& sourceCodes, const BitmapImportOptions& options,
                                    const CodePageEncoder* encoder, BitmapImportCounts& counts);

// The forced font type, else single-byte when no kept code is above 0xFF.
std::int32_t ChosenFontType(const std::vector<CodedGlyph>& kept, const BitmapImportOptions& options);

}  // namespace dotforge
