#pragma once
// Values the application keeps for all documents: the hand-over blocks filled by
// the New Font and import commands and read once by the font set they create.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace dotforge {

// Glyphs parsed from a source file or rendered from an outline font: the cells of
// `characterCount` characters, one after the other.
struct ParsedGlyphBlock {
  // Parsers and the renderer give the count and the cells only.
  ParsedGlyphBlock(std::int32_t count = 0, Bytes cells = {}) : characterCount(count), bytes(std::move(cells)) {}

  std::int32_t characterCount = 0;
  Bytes bytes;
  // The code of each character when the block numbers its characters itself
  // (bitmap fonts); empty gives the codes 0x20, 0x21, ... in order.
  std::vector<std::int32_t> codes;
  // The Unicode character each glyph was made from, when the source names it;
  // empty when it does not.
  std::vector<char32_t> unicodes;
  // A block whose codes pass 0xFF opens as a double-byte set whatever this says.
  std::int32_t fontType = 0;  // kSingleByteFont or kDoubleByteFont
  // Cell rows above the baseline the glyphs were placed on, when they were.
  std::optional<std::int32_t> baseline;
};

// Character codes from `first` to `last`, both included.
struct CodeRange {
  std::uint32_t first = 0;
  std::uint32_t last = 0;
};

// How a bitmap font (BDF, PCF, PSF, Unifont hex) is placed in the cells and which
// codes its characters take. The cell size is the request's width and height; 0
// stands for the font's own.
struct BitmapImportOptions {
  std::optional<std::int32_t> baseline;  // rows above the baseline in the cell; default the font's ascent
  std::vector<CodeRange> codes;          // codes kept, after re-encoding; empty keeps all
  std::string encoding;                  // iconv name of a printer code page; empty keeps the font's codes
  std::optional<std::int32_t> fontType;  // forced kSingleByteFont or kDoubleByteFont
};

// What a bitmap font import kept, skipped and cut.
struct BitmapImportCounts {
  std::int32_t kept = 0;
  std::int32_t belowSpace = 0;     // codes below 0x20
  std::int32_t notEncodable = 0;   // not one or two bytes in the code page
  std::int32_t outsideCodes = 0;   // not among the chosen codes
  std::int32_t outsideType = 0;    // above 0xFF in a single-byte set, above 0xFFFF in any
  std::int32_t sameCode = 0;       // a glyph of a lower source code took the code
  std::int32_t cut = 0;            // kept glyphs with dots outside the cell
  std::int32_t baseline = 0;       // cell rows above the baseline the glyphs were placed by
  std::int32_t Skipped() const { return belowSpace + notEncodable + outsideCodes + outsideType + sameCode; }
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
  BitmapImportOptions bitmapOptions;
  BitmapImportCounts bitmapCounts;  // filled by a bitmap font import
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
