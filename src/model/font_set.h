#pragma once
// The font set document: a list of characters sharing one cell size, with the
// font's type, download id and name.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/document.h"
#include "history/history.h"
#include "model/character_record.h"

namespace dotforge {

// What the export command remembers between runs on one font set.
struct ExportMemory {
  std::string defaultName;
  std::string lastFileName;
  std::string lastPath;
};

class CDotforgeImportDoc : public CDocument {
 public:
  static constexpr const char* kDocumentType = "DotforgeImport";
  static constexpr const char* kTemplateFilter = "Download font format (*.DFF)";
  static constexpr const char* kTemplateExtension = ".DFF";

  // Appends a blank record of the given size with `code` and its label; readers
  // use it to keep the two lists in step.
  CharacterRecord& AppendCharacter(std::int32_t code, std::int32_t recordWidth, std::int32_t recordHeight);
  // Deletes every record and empties both lists.
  void ClearCharacters();
  // Index of a record in `characters`, if it belongs to this font set.
  std::optional<std::size_t> IndexOf(const CharacterRecord* record) const;
  void SelectFirst() { selected = characters.empty() ? nullptr : characters.front().get(); }
  // Takes the record at `index` out of both lists and the count. A selection on it
  // moves to the character that followed, or the last one, so it never points at
  // a freed record.
  std::unique_ptr<CharacterRecord> TakeCharacterAt(std::size_t index);
  // Puts a record back at `index` (at the end when beyond it) with its code, and
  // counts it.
  CharacterRecord& PutCharacterAt(std::size_t index, std::int32_t code, std::unique_ptr<CharacterRecord> record);

  std::int32_t closing = 0;
  std::vector<std::unique_ptr<CharacterRecord>> characters;
  std::vector<std::int32_t> codes;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t startCode = 0;
  std::int32_t characterCount = 0;
  std::int32_t dataWordBits = 0;
  std::int32_t fontType = -1;
  char fontId = '0';
  std::string name;
  // Cell rows above the baseline the glyphs were placed on by a bitmap font
  // import or an outline import keeping its codes; kept while the set is open
  // (no file of the set stores it) and offered by the BDF export.
  std::optional<std::int32_t> baseline;
  ExportMemory exportMemory;
  CharacterRecord* selected = nullptr;
  // Every change to the set is a step of this history; the character table and
  // all editors of the set share it.
  History history;
};

inline constexpr std::int32_t kSingleByteFont = 0;
inline constexpr std::int32_t kDoubleByteFont = 1;

}  // namespace dotforge
