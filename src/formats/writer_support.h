#pragma once
// What every export writer takes from a character: its code, its Unicode
// character and its cell at the font set's size.

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/codepages/code_page_decoder.h"
#include "model/character_record.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// The character's label read as hexadecimal. Writers that print it in four
// digits refuse a font set with a code above 0xFFFF before they run
// (CheckStorableCodes); the streams skip every code above 0xFF.
std::uint32_t CharacterCode(const CharacterRecord& record);

// The Unicode character the record stands for: the one it was made from, else
// its code read through `decoder`, or taken as Unicode without one; nothing for
// a surrogate, a value beyond U+10FFFF or a code the code page does not decode.
std::optional<char32_t> CharacterUnicode(const CharacterRecord& record, const CodePageDecoder* decoder);

// The record's glyph as a cell of `width` x `height`. A record of the font set's
// size is returned as it is; any other is fitted into `scratch`.
ByteView CellOf(const CharacterRecord& record, std::int32_t width, std::int32_t height, Bytes& scratch);

// The font set's characters in ascending code order (equal codes keep their
// order in the list).
std::vector<const CharacterRecord*> CharactersByCode(const CDotforgeImportDoc& doc);

// Whether the dot at column `x`, row `y` of a packed cell with `rowBytes` bytes a
// row is black.
inline bool CellDot(ByteView cell, std::size_t rowBytes, std::int32_t x, std::int32_t y) {
  return (cell[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) / 8] & (0x80u >> (x % 8))) != 0;
}

// Clears the bits beyond `width` in the last byte of every packed row, which are
// no dots of the glyph.
void ClearRowPadding(Bytes& cell, std::int32_t width);

// Appends `text` as bytes; the text writers build their files with it.
class TextOut {
 public:
  explicit TextOut(Bytes& out) : out_(out) {}
  TextOut& operator<<(std::string_view text) {
    PutText(out_, text);
    return *this;
  }
  // Two upper-case hexadecimal digits.
  void Hex2(std::uint8_t value);
  // Four upper-case hexadecimal digits.
  void Hex4(std::uint16_t value);
  // A decimal number of at least two digits, as "%02d".
  void Decimal2(std::int32_t value);

 private:
  Bytes& out_;
};

}  // namespace dotforge
