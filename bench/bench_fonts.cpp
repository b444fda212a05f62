#include "bench_fonts.h"

namespace dotforge::bench {

std::unique_ptr<CDotforgeImportDoc> PatternedFont(std::int32_t width, std::int32_t height, std::int32_t firstCode,
                                                  std::int32_t count) {
  auto font = std::make_unique<CDotforgeImportDoc>();
  font->width = width;
  font->height = height;
  font->fontType = kDoubleByteFont;
  font->fontId = '4';
  for (std::int32_t code = firstCode; code < firstCode + count; ++code) {
    CharacterRecord& record = font->AppendCharacter(code, width, height);
    for (std::size_t i = 0; i < record.bitmap.size(); ++i) record.bitmap[i] = static_cast<std::uint8_t>(code + i);
  }
  font->characterCount = count;
  font->SelectFirst();
  return font;
}

const CDotforgeImportDoc& KanjiDownloadFont() {
  static const auto doc = [] {
    auto font = PatternedFont(24, 24, 0x4E00, 7000);
    font->SetTitle("KANJI.DDB");
    return font;
  }();
  return *doc;
}

}  // namespace dotforge::bench
