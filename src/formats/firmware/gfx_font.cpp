#include "formats/firmware/gfx_font.h"

#include <algorithm>

#include "formats/codepages/code_ranges.h"
#include "formats/writer_support.h"

namespace dotforge {
namespace {

struct InkedBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = -1;   // inclusive; below left for a blank glyph
  std::int32_t bottom = -1;
  bool Blank() const { return right < left; }
};

InkedBox InkedBoxOf(ByteView cell, std::int32_t width, std::int32_t height) {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  InkedBox box{width, height, -1, -1};
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      if (!CellDot(cell, rowBytes, x, y)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// Appends the box's dots as one stream of bits, padded to a byte at its end.
void AppendBoxDots(ByteView cell, std::int32_t width, const InkedBox& box, Bytes& out) {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  std::uint8_t byte = 0;
  int bits = 0;
  for (std::int32_t y = box.top; y <= box.bottom; ++y) {
    for (std::int32_t x = box.left; x <= box.right; ++x) {
      byte = static_cast<std::uint8_t>(byte << 1 | (CellDot(cell, rowBytes, x, y) ? 1 : 0));
      if (++bits == 8) {
        out.push_back(byte);
        byte = 0;
        bits = 0;
      }
    }
  }
  if (bits > 0) out.push_back(static_cast<std::uint8_t>(byte << (8 - bits)));
}

}  // namespace

std::vector<const CharacterRecord*> GfxCharacters(const CDotforgeImportDoc& doc, const std::vector<CodeRange>& codes) {
  std::vector<const CharacterRecord*> chosen;
  for (const CharacterRecord* record : CharactersByCode(doc)) {
    const std::uint32_t code = CharacterCode(*record);
    if (!codes.empty() && !InCodeRanges(codes, code)) continue;
    if (!chosen.empty() && CharacterCode(*chosen.back()) == code) continue;
    chosen.push_back(record);
  }
  return chosen;
}

GfxFont BuildGfxFont(const std::vector<const CharacterRecord*>& characters, const CDotforgeImportDoc& doc,
                     std::int32_t baseline) {
  GfxFont font;
  font.first = CharacterCode(*characters.front());
  font.last = CharacterCode(*characters.back());
  font.yAdvance = doc.height;
  font.glyphs.reserve(font.last - font.first + 1);
  Bytes scratch;
  auto next = characters.begin();
  for (std::uint32_t code = font.first; code <= font.last; ++code) {
    GfxGlyph glyph{code, font.bitmap.size(), 0, 0, doc.width, 0, 0};
    if (next != characters.end() && CharacterCode(**next) == code) {
      const ByteView cell = CellOf(**next, doc.width, doc.height, scratch);
      const InkedBox box = InkedBoxOf(cell, doc.width, doc.height);
      if (!box.Blank()) {
        glyph.width = box.right - box.left + 1;
        glyph.height = box.bottom - box.top + 1;
        glyph.xOffset = box.left;
        glyph.yOffset = box.top - baseline;
        AppendBoxDots(cell, doc.width, box, font.bitmap);
      }
      ++next;
    }
    font.glyphs.push_back(glyph);
  }
  return font;
}

}  // namespace dotforge
