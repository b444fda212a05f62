#pragma once
// Values the application keeps for all documents: the hand-over blocks filled by
// the New Font and import commands and read once by the font set they create.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/bytes.h"

namespace dotforge {

// Glyphs parsed from a source file or rendered from an outline font: the cells of
// `characterCount` characters, one after the other.
struct ParsedGlyphBlock {
  std::int32_t characterCount = 0;
  Bytes bytes;
};

struct ImportRequest {
  int importType = -1;  // a SideFormat, -1 before the first import
  // The chosen file; kept with its folder so that opening does not depend on the
  // current directory.
  std::filesystem::path fileName;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t wordBits = 8;
  ParsedGlyphBlock glyphBlock;
};

struct NewFontRequest {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t fontType = 0;
  std::int32_t startCode = 0x20;
  char fontId = '0';
  std::string name;
};

struct AppValues {
  int openFontSetCount = 0;
  NewFontRequest newFontRequest;
  ImportRequest importRequest;
};

}  // namespace dotforge
