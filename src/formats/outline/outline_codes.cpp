#include "formats/outline/outline_codes.h"

#include "formats/bitmap/bitmap_code_rules.h"

namespace dotforge {

bool SelectUnicodeMap(FT_Face face) { return FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0; }

KeptOutlineCodes ChooseOutlineCodes(FT_Face face, const BitmapImportOptions& rules, const CodePageEncoder* encoder,
                                    BitmapImportCounts& counts) {
  std::vector<std::uint32_t> sourceCodes;
  std::vector<FT_UInt> sourceGlyphs;
  FT_UInt glyph = 0;
  for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0; code = FT_Get_Next_Char(face, code, &glyph)) {
    sourceCodes.push_back(static_cast<std::uint32_t>(code));
    sourceGlyphs.push_back(glyph);
  }
  const std::vector<CodedGlyph> kept = ChooseCodes(sourceCodes, rules, encoder, counts);
  KeptOutlineCodes result;
  result.codes.reserve(kept.size());
  result.glyphs.reserve(kept.size());
  result.unicodes.reserve(kept.size());
  for (const CodedGlyph& coded : kept) {
    result.codes.push_back(static_cast<std::int32_t>(coded.code));
    result.glyphs.push_back(sourceGlyphs[coded.glyph]);
    result.unicodes.push_back(static_cast<char32_t>(sourceCodes[coded.glyph]));
  }
  result.fontType = ChosenFontType(kept, rules);
  return result;
}

}  // namespace dotforge
