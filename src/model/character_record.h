#pragma once
// One character of a font set and the packed glyph bitmap layout shared by memory,
// the font files and the printer link: rows top to bottom, ((width - 1) div 8) + 1
// bytes per row, the leftmost dot in the most significant bit, 1 = black.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bytes.h"

namespace dotforge {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

// Bytes per packed row; 0 for a width below 1, which no cell may have.
constexpr std::int32_t BytesPerRow(std::int32_t width) { return width < 1 ? 0 : (width - 1) / 8 + 1; }

// Size in bytes of a packed cell; 0 when either side is below 1.
constexpr std::size_t CellSize(std::int32_t width, std::int32_t height) {
  return height < 1 ? 0 : static_cast<std::size_t>(BytesPerRow(width)) * static_cast<std::size_t>(height);
}

// The label of a code: "%04X".
std::string FormatLabel(std::int32_t code);

// Reads a label back as scanf's "%X" would, taking at most `maxDigits` hexadecimal
// digits after optional blanks; nothing when there is no digit.
std::optional<std::uint32_t> ParseLabelCode(std::string_view label, int maxDigits = 8);

class CharacterRecord {
 public:
  // A blank record of the given size with a zeroed cell-size bitmap.
  CharacterRecord(std::int32_t width, std::int32_t height);
  CharacterRecord(const CharacterRecord&) = default;
  CharacterRecord& operator=(const CharacterRecord&) = default;
  virtual ~CharacterRecord() = default;

  bool Pixel(std::int32_t x, std::int32_t y) const;
  void SetPixel(std::int32_t x, std::int32_t y, bool black);

  Rect cellRect;
  std::string label;
  std::int32_t editorOpen = 0;
  Bytes bitmap;
  std::int32_t width;
  std::int32_t height;
  // The Unicode character the glyph was made from (a bitmap or outline font
  // import), kept while the font set is open: its code may be another code
  // page's. No file of the set stores it.
  std::optional<char32_t> unicode;
};

// Appends the record's glyph as a cell of `width` x `height`: rows and bytes are
// taken from the top left, cut or zero-padded. Never reads past the record's bitmap.
void AppendFittedCell(Bytes& out, const CharacterRecord& record, std::int32_t width, std::int32_t height);

}  // namespace dotforge
