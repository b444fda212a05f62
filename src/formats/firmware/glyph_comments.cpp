#include "formats/firmware/glyph_comments.h"

#include <string>

#include "model/character_record.h"

namespace dotforge {

void PutCodeName(TextOut& out, std::uint32_t code, int minDigits) {
  out << "0x";
  if (code > 0xFF || minDigits > 2) {
    out.Hex4(static_cast<std::uint16_t>(code));
  } else {
    out.Hex2(static_cast<std::uint8_t>(code));
  }
  if (code >= 0x20 && code <= 0x7E) out << " '" << std::string(1, static_cast<char>(code)) << "'";
}

void PutGlyphArt(TextOut& out, ByteView cell, std::int32_t width, std::int32_t height) {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  std::string line;
  for (std::int32_t y = 0; y < height; ++y) {
    line.assign("  /* ");
    for (std::int32_t x = 0; x < width; ++x) {
      const bool black =
          (cell[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) / 8] & (0x80u >> (x % 8))) != 0;
      line += black ? '#' : '.';
    }
    line += " */\n";
    out << line;
  }
}

}  // namespace dotforge
