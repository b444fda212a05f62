#include "formats/outline/freetype_handles.h"

namespace dotforge {

FreeTypeLibrary InitFreeType() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  return FreeTypeLibrary(library);
}

FreeTypeFace OpenFace(FT_Library library, const char* path, FT_Long index, FT_Error& error) {
  FT_Face face = nullptr;
  error = FT_New_Face(library, path, index, &face);
  if (error != 0) return nullptr;
  return FreeTypeFace(face);
}

const char* CharmapName(FT_Encoding encoding) {
  switch (encoding) {
    case FT_ENCODING_NONE:
      return "none encoding";
    case FT_ENCODING_ADOBE_CUSTOM:
      return "adobe custom encoding";
    case FT_ENCODING_ADOBE_EXPERT:
      return "adobe expert encoding";
    case FT_ENCODING_ADOBE_STANDARD:
      return "adobe standard encoding";
    case FT_ENCODING_APPLE_ROMAN:
      return "apple roman encoding";
    case FT_ENCODING_BIG5:
      return "big5 encoding";
    case FT_ENCODING_PRC:
      return "gb2312 encoding";
    case FT_ENCODING_JOHAB:
      return "johab encoding";
    case FT_ENCODING_ADOBE_LATIN_1:
      return "latin 1 encoding";
    case FT_ENCODING_OLD_LATIN_2:
      return "latin 2 encoding";
    case FT_ENCODING_SJIS:
      return "sjis encoding";
    case FT_ENCODING_MS_SYMBOL:
      return "symbol encoding";
    case FT_ENCODING_UNICODE:
      return "unicode encoding";
    case FT_ENCODING_WANSUNG:
      return "wansung encoding";
    default:
      return "unknow encoding";
  }
}

}  // namespace dotforge
