#pragma once
// The font sets the benchmarks work on: double-byte, `count` consecutive codes
// from `firstCode`, every glyph filled with a pattern of its code.

#include <cstdint>
#include <memory>

#include "model/font_set.h"

namespace dotforge::bench {

std::unique_ptr<CDotforgeImportDoc> PatternedFont(std::int32_t width, std::int32_t height, std::int32_t firstCode,
                                                  std::int32_t count);

// Every code of a double-byte font, 0x20..0xFFFF: 65,504 characters.
inline constexpr std::int32_t kFullFontFirstCode = 0x20;
inline constexpr std::int32_t kFullFontCount = 0xFFFF - 0x20 + 1;

// The download benchmarks' font: 7,000 double-byte 24 x 24 characters from
// 0x4E00, titled KANJI.DDB.
const CDotforgeImportDoc& KanjiDownloadFont();

}  // namespace dotforge::bench
