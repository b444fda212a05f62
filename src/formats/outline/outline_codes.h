#pragma once
// The characters of an outline face that a keep-codes import keeps: the face's
// Unicode code points, given codes by the same rules as bitmap fonts (skip below
// 0x20, re-encode, subset, font type, lower source code wins).

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

#include "formats/codepages/code_page_encoder.h"
#include "model/app_values.h"

namespace dotforge {

struct KeptOutlineCodes {
  std::vector<std::int32_t> codes;  // ascending, each once
  std::vector<FT_UInt> glyphs;      // the glyph index of each code
  std::vector<char32_t> unicodes;   // the Unicode character of each code
  std::int32_t fontType = 0;
};

// Selects the face's Unicode map (the full repertoire one when there are two);
// false when it has none.
bool SelectUnicodeMap(FT_Face face);

// Walks the selected Unicode map and keeps what the rules keep; what they leave
// out is added to `counts`. `encoder` is null when the Unicode codes are kept.
KeptOutlineCodes ChooseOutlineCodes(FT_Face face, const BitmapImportOptions& rules, const CodePageEncoder* encoder,
                                    BitmapImportCounts& counts);

}  // namespace dotforge
