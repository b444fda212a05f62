#pragma once
// A font set's characters by code, built once per picture: a lookup is one
// array access, whatever the size of the set.

#include <cstdint>
#include <vector>

#include "model/font_set.h"

namespace dotforge {

class GlyphIndex {
 public:
  // Of two characters with one code the first in the list wins, as in the font files.
  explicit GlyphIndex(const CDotforgeImportDoc& fontSet);

  // The character of `code`, or null when the set has none.
  const CharacterRecord* Find(std::uint32_t code) const {
    return code < records_.size() ? records_[code] : nullptr;
  }
  std::int32_t CellWidth() const { return width_; }
  std::int32_t CellHeight() const { return height_; }

 private:
  std::vector<const CharacterRecord*> records_;  // indexed by code
  std::int32_t width_;
  std::int32_t height_;
};

}  // namespace dotforge
