#pragma once
// The operations that change which characters a font set holds and at which
// codes: Add, Delete, Copy, Paste and Map ("Character Position"). The character
// table identifies a character by the rectangle of its cell.

#include <cstdint>
#include <optional>

#include "framework/prompt.h"
#include "model/font_set.h"

namespace dotforge {

// The glyph taken by Copy. It is a snapshot, not a reference to the record, so a
// later Paste never reads a record that was deleted, moved or closed since.
struct CopiedCharacter {
  std::int32_t width = 0;
  std::int32_t height = 0;
  Bytes bitmap;
};

// The record whose cell is `rect`, first in list order; nothing if none is.
std::optional<std::size_t> FindCharacterByCell(const CDotforgeImportDoc& doc, const Rect& rect);

// Inserts a record of the font set's cell size for `code` before the first larger
// code, with `bitmap` fitted into its cell. Counts it and marks the set modified.
CharacterRecord& InsertCharacter(CDotforgeImportDoc& doc, std::int32_t code, ByteView bitmap);

void AddCharacter(CDotforgeImportDoc& doc, Prompt& prompt);
void DeleteCharacter(CDotforgeImportDoc& doc, const Rect& rect);
void CopyCharacter(const CDotforgeImportDoc& doc, const Rect& rect, std::optional<CopiedCharacter>& copied);
void PasteCharacter(CDotforgeImportDoc& doc, const std::optional<CopiedCharacter>& copied, Prompt& prompt);
void MapCharacter(CDotforgeImportDoc& doc, const Rect& rect, Prompt& prompt);

}  // namespace dotforge
