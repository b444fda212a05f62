#pragma once
// Characters from a ParsedGlyphBlock: the cells a source-file parser or the
// outline renderer produced, given the codes 0x20, 0x21, ... in order.

#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

// Bytes one character takes in a block of source words: whole 16-bit words per
// row for `wordBits` 16, packed rows otherwise.
std::size_t GlyphBlockCharacterBytes(std::int32_t width, std::int32_t height, std::int32_t wordBits);

// Fills `doc` (whose width and height are already set) from `block`. `wordBits` is
// 16 only for source formats parsed with 16-bit words; rendered outlines pass 8.
void ReadGlyphBlock(CDotforgeImportDoc& doc, const ParsedGlyphBlock& block, std::int32_t wordBits, Prompt& prompt);

}  // namespace dotforge
