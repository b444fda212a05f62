#include "model/font_set.h"

namespace dotforge {

CharacterRecord& CDotforgeImportDoc::AppendCharacter(std::int32_t code, std::int32_t recordWidth,
                                                     std::int32_t recordHeight) {
  auto record = std::make_unique<CharacterRecord>(recordWidth, recordHeight);
  record->label = FormatLabel(code);
  codes.push_back(code);
  characters.push_back(std::move(record));
  return *characters.back();
}

void CDotforgeImportDoc::ClearCharacters() {
  selected = nullptr;
  characters.clear();
  codes.clear();
}

std::optional<std::size_t> CDotforgeImportDoc::IndexOf(const CharacterRecord* record) const {
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (characters[i].get() == record) return i;
  }
  return std::nullopt;
}

}  // namespace dotforge
