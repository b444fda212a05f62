#include "preview/glyph_index.h"

#include <algorithm>

namespace dotforge {
namespace {

constexpr std::int32_t kHighestCode = 0xFFFF;

}  // namespace

GlyphIndex::GlyphIndex(const CDotforgeImportDoc& fontSet) : width_(fontSet.width), height_(fontSet.height) {
  const std::size_t count = std::min(fontSet.characters.size(), fontSet.codes.size());
  std::int32_t highest = -1;
  for (std::size_t i = 0; i < count; ++i) {
    if (fontSet.codes[i] <= kHighestCode) highest = std::max(highest, fontSet.codes[i]);
  }
  records_.assign(static_cast<std::size_t>(highest + 1), nullptr);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t code = fontSet.codes[i];
    if (code < 0 || code > kHighestCode) continue;
    const CharacterRecord*& slot = records_[static_cast<std::size_t>(code)];
    if (!slot) slot = fontSet.characters[i].get();
  }
}

}  // namespace dotforge
