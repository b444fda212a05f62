#pragma once
// Shared body of the bitmap font reader targets: read the input, check each
// glyph's box against its rows, then give codes and place every glyph in a cell.

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "formats/bitmap/bitmap_cell_placement.h"
#include "formats/bitmap/bitmap_code_rules.h"
#include "model/character_record.h"

namespace dotforge::fuzz {

template <typename Reader>
int FuzzBitmapFont(const std::uint8_t* data, std::size_t size, Reader reader) {
  std::string problem;
  const std::optional<BitmapFont> font = reader(ByteView(data, size), problem);
  if (!font) {
    if (problem.empty()) std::abort();
    return 0;
  }
  for (const BitmapGlyph& glyph : font->glyphs) {
    if (glyph.width < 0 || glyph.height < 0) std::abort();
    if (glyph.rows.size() != static_cast<std::size_t>((glyph.width + 7) / 8 * glyph.height)) std::abort();
  }
  BitmapImportCounts counts;
  const std::vector<CodedGlyph> kept = ChooseCodes(*font, {}, nullptr, counts);
  const CellLayout layout = DefaultCellLayout(*font, 0, 0, std::nullopt);
  Bytes cell(CellSize(layout.width, layout.height));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0 && kept[i].code <= kept[i - 1].code) std::abort();
    std::fill(cell.begin(), cell.end(), 0);
    PlaceGlyph(font->glyphs[kept[i].glyph], layout, cell.data());
  }
  return 0;
}

}  // namespace dotforge::fuzz
