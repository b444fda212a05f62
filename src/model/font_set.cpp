#include "model/font_set.h"

#include <algorithm>

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

std::unique_ptr<CharacterRecord> CDotforgeImportDoc::TakeCharacterAt(std::size_t index) {
  if (selected == characters[index].get()) {
    if (index + 1 < characters.size()) {
      selected = characters[index + 1].get();
    } else {
      selected = index > 0 ? characters[index - 1].get() : nullptr;
    }
  }
  std::unique_ptr<CharacterRecord> taken = std::move(characters[index]);
  codes.erase(codes.begin() + static_cast<std::ptrdiff_t>(index));
  characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(index));
  --characterCount;
  return taken;
}

CharacterRecord& CDotforgeImportDoc::PutCharacterAt(std::size_t index, std::int32_t code,
                                                    std::unique_ptr<CharacterRecord> record) {
  const auto at = static_cast<std::ptrdiff_t>(std::min(index, characters.size()));
  codes.insert(codes.begin() + at, code);
  CharacterRecord& put = **characters.insert(characters.begin() + at, std::move(record));
  ++characterCount;
  return put;
}

}  // namespace dotforge
