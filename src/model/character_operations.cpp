#include "model/character_operations.h"

#include <algorithm>
#include <memory>

#include "model/code_entry.h"
#include "model/font_set_changes.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSingleByteMostCharacters = 224;
constexpr std::int32_t kDoubleByteMostCharacters = 0xFFFF;

bool IsEmpty(const Rect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

bool HoldsCode(const CDotforgeImportDoc& doc, std::int32_t code) {
  return std::find(doc.codes.begin(), doc.codes.end(), code) != doc.codes.end();
}

// Add refuses a further character once the set holds as many as its type allows;
// a font set of an unknown type takes no character at all.
bool HasRoomForCharacter(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (doc.fontType == kSingleByteFont && doc.characterCount >= kSingleByteMostCharacters) {
    prompt.ShowMessage(msg::kSingleByteSetFull);
    return false;
  }
  if (doc.fontType == kDoubleByteFont && doc.characterCount >= kDoubleByteMostCharacters) {
    prompt.ShowMessage(msg::kDoubleByteSetFull);
    return false;
  }
  return doc.fontType == kSingleByteFont || doc.fontType == kDoubleByteFont || doc.fontType == -1;
}

// Asks for a code that the set does not hold yet; `takenMessage` reports one it does.
std::optional<std::int32_t> AskForFreeCode(const CDotforgeImportDoc& doc, const char* takenMessage, Prompt& prompt) {
  const std::optional<std::string> text = RunCodeEntryDialog(doc.fontType, prompt);
  if (!text) return std::nullopt;
  const std::int32_t code = ParseHexCode(*text, prompt);
  if (HoldsCode(doc, code)) {
    prompt.ShowMessage(takenMessage);
    return std::nullopt;
  }
  return code;
}

// Paste copies whole bytes from the top left. A narrower source clears the target
// first; otherwise what is not copied keeps its old contents. Both bitmaps are
// walked by their own row widths and never past their ends.
void CopyGlyphInto(const CopiedCharacter& source, CharacterRecord& target) {
  const std::size_t sourceRowBytes = BytesPerRow(source.width);
  const std::size_t targetRowBytes = BytesPerRow(target.width);
  if (sourceRowBytes < targetRowBytes) std::fill(target.bitmap.begin(), target.bitmap.end(), 0);
  const std::int32_t rows = std::min(source.height, target.height);
  const std::size_t rowBytes = std::min(sourceRowBytes, targetRowBytes);
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::size_t from = static_cast<std::size_t>(row) * sourceRowBytes;
    const std::size_t to = static_cast<std::size_t>(row) * targetRowBytes;
    if (from >= source.bitmap.size() || to >= target.bitmap.size()) break;
    const std::size_t count = std::min({rowBytes, source.bitmap.size() - from, target.bitmap.size() - to});
    std::copy_n(source.bitmap.begin() + static_cast<std::ptrdiff_t>(from), count,
                target.bitmap.begin() + static_cast<std::ptrdiff_t>(to));
  }
}

}  // namespace

std::optional<std::size_t> FindCharacterByCell(const CDotforgeImportDoc& doc, const Rect& rect) {
  for (std::size_t i = 0; i < doc.characters.size(); ++i) {
    if (doc.characters[i]->cellRect == rect) return i;
  }
  return std::nullopt;
}

CharacterRecord& InsertCharacter(CDotforgeImportDoc& doc, std::int32_t code, ByteView bitmap) {
  auto record = std::make_unique<CharacterRecord>(doc.width, doc.height);
  record->label = FormatLabel(code);
  std::copy_n(bitmap.begin(), std::min(bitmap.size(), record->bitmap.size()), record->bitmap.begin());
  const auto larger = std::find_if(doc.codes.begin(), doc.codes.end(), [code](std::int32_t c) { return c > code; });
  const auto index = larger - doc.codes.begin();
  doc.codes.insert(larger, code);
  CharacterRecord& inserted = **doc.characters.insert(doc.characters.begin() + index, std::move(record));
  ++doc.characterCount;
  doc.SetModifiedFlag();
  return inserted;
}

void AddCharacter(CDotforgeImportDoc& doc, Prompt& prompt) {
  if (!HasRoomForCharacter(doc, prompt)) return;
  if (const std::optional<std::int32_t> code = AskForFreeCode(doc, msg::kCharacterAlreadyMapped, prompt)) {
    CharacterRecord& added = InsertCharacter(doc, *code, {});
    RecordStep(doc, msg::kStepAddCharacter, AdditionChange(doc, *doc.IndexOf(&added)));
  }
}

void DeleteCharacter(CDotforgeImportDoc& doc, const Rect& rect) {
  const std::optional<std::size_t> index = FindCharacterByCell(doc, rect);
  if (!index) return;
  const std::int32_t code = doc.codes[*index];
  std::unique_ptr<CharacterRecord> removed = doc.TakeCharacterAt(*index);
  doc.SetModifiedFlag();
  RecordStep(doc, msg::kStepDeleteCharacter, RemovalChange(doc, *index, code, std::move(removed)));
}

void CopyCharacter(const CDotforgeImportDoc& doc, const Rect& rect, std::optional<CopiedCharacter>& copied) {
  if (IsEmpty(rect)) return;
  const std::optional<std::size_t> index = FindCharacterByCell(doc, rect);
  if (!index) return;
  const CharacterRecord& record = *doc.characters[*index];
  copied = CopiedCharacter{record.width, record.height, record.bitmap};
}

void PasteCharacter(CDotforgeImportDoc& doc, const std::optional<CopiedCharacter>& copied, Prompt& prompt) {
  if (!copied) return;
  CharacterRecord* target = doc.selected;
  if (target == nullptr) {
    const std::optional<std::int32_t> code = AskForFreeCode(doc, msg::kCharacterAlreadyMapped, prompt);
    if (!code) return;
    target = &InsertCharacter(doc, *code, {});
    CopyGlyphInto(*copied, *target);
    RecordStep(doc, msg::kStepPasteCharacter, AdditionChange(doc, *doc.IndexOf(target)));
  } else {
    GlyphImage before = GlyphOf(*target);
    CopyGlyphInto(*copied, *target);
    if (const std::optional<std::size_t> index = doc.IndexOf(target); index && before.bitmap != target->bitmap) {
      RecordStep(doc, msg::kStepPasteCharacter, GlyphChange(doc, *index, std::move(before)));
    }
  }
  doc.SetModifiedFlag();
}

void MapCharacter(CDotforgeImportDoc& doc, const Rect& rect, Prompt& prompt) {
  const std::optional<std::int32_t> code = AskForFreeCode(doc, msg::kCharacterIsAlreadyMapped, prompt);
  if (!code) return;
  const std::optional<std::size_t> index = FindCharacterByCell(doc, rect);
  if (!index) return;
  const bool wasSelected = doc.selected == doc.characters[*index].get();
  const std::int32_t oldCode = doc.codes[*index];
  std::unique_ptr<CharacterRecord> taken = doc.TakeCharacterAt(*index);
  CharacterRecord& moved = InsertCharacter(doc, *code, taken->bitmap);
  if (wasSelected) doc.selected = &moved;
  Changes changes;
  changes.push_back(RemovalChange(doc, *index, oldCode, std::move(taken)));
  changes.push_back(AdditionChange(doc, *doc.IndexOf(&moved)));
  RecordStep(doc, msg::kStepCharacterPosition, std::move(changes));
}

}  // namespace dotforge
