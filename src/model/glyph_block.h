#pragma once
// Characters from a ParsedGlyphBlock: the cells a source-file parser or the
// outline renderer produced, given the codes 0x20, 0x21, ... in order, or the
// codes the block carries (a bitmap font import, a source file's code comments).
// A block whose codes pass 0xFF opens as a double-byte set.

#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

#include <string>

namespace dotforge {

// The characters of a block take the codes 0x20 up to 0xFFFF: no more than this
// many have a code.
inline constexpr std::int32_t kMaxGlyphBlockCharacters = 0xFFFF - 0x20 + 1;

// "N characters were left out: ..." for the characters beyond code 0xFFFF.
std::string CharactersLeftOutMessage(std::size_t leftOut);

// Bytes one character takes in a block of source words: whole 16-bit words per
// row for `wordBits` 16, packed rows otherwise.
std::size_t GlyphBlockCharacterBytes(std::int32_t width, std::int32_t height, std::int32_t wordBits);

// Fills `doc` (whose width and height are already set) from `block`. `wordBits` is
// 16 only for source formats parsed with 16-bit words; rendered outlines pass 8.
// Reading stops at code 0xFFFF and says how many characters were left out.
void ReadGlyphBlock(CDotforgeImportDoc& doc, const ParsedGlyphBlock& block, std::int32_t wordBits, Prompt& prompt);

}  // namespace dotforge
