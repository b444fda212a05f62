#include "formats/download/download_files.h"

#include "formats/formats_messages.h"
#include "model/download_file.h"
#include "model/file_access.h"
#include "model/font_properties.h"
#include "model/model_messages.h"
#include "model/native_file.h"

namespace dotforge {
namespace {

constexpr std::int32_t kMaxSingleByteCharacters = 224;
constexpr std::size_t kAllCharacters = static_cast<std::size_t>(-1);

// The single-byte id for a font set that still has the double-byte id '4': the id
// the Font Properties dialog holds when it closes ('4' after Cancel).
char AskSingleByteFontId(const CDotforgeImportDoc& doc, Prompt& prompt) {
  // The dialog's own check keeps it open until the id is a single-byte one.
  const std::optional<FontPropertiesResult> result =
      RunFontPropertiesDialog(kSingleByteFont, doc.width, doc.height, doc.characterCount, '4', prompt);
  return result ? result->fontId : '4';
}

// The id question comes once the file has been created: a file that cannot be
// written is reported before anything is asked.
bool WriteDsbAfterChecks(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (!CheckStorableCell(doc.width, doc.height, prompt)) return false;
  AtomicFileWriter file;
  if (!OpenFontFileForWriting(file, path, prompt)) return false;
  const char previousId = doc.fontId;
  if (doc.fontId == '4') doc.fontId = AskSingleByteFontId(doc, prompt);
  if (WriteDsbFile(doc, file, path.filename().string(), prompt)) {
    const std::size_t leftOut = PlaceSingleByteCells(doc).withoutCell;
    if (leftOut > 0) prompt.ShowMessage(std::to_string(leftOut) + msg::kDsbCharactersLeftOut);
    return true;
  }
  // Nothing was written: the font set keeps the id it had.
  doc.fontId = previousId;
  return false;
}

}  // namespace

bool ReadWhenOpened(const FormatRead&) { return true; }

bool ReadDownloadFile(const FormatRead& read) {
  const std::filesystem::path path(read.answer.path);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  // A file that cannot be read is left to the reader, which says so.
  if (error || size > 0) return true;
  read.prompt.ShowMessage(path.filename().string() + msg::kFileIsEmpty);
  return false;
}

std::optional<std::size_t> AskSingleByteLimit(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (doc.characterCount <= kMaxSingleByteCharacters) return kAllCharacters;
  if (prompt.Ask(msg::kOnlyFirst224, Buttons::OkCancel) != Answer::Ok) return std::nullopt;
  return kMaxSingleByteCharacters;
}

bool WriteDat(const FormatWrite& write) { return WriteNativeFile(write.doc, write.path, write.prompt); }

bool WriteDsb(const FormatWrite& write) {
  write.doc.fontId = static_cast<char>(write.answer.fontId);
  write.doc.fontType = kSingleByteFont;
  if (!AskSingleByteLimit(write.doc, write.prompt)) return false;
  return WriteDsbAfterChecks(write.doc, write.path, write.prompt);
}

bool WriteDdb(const FormatWrite& write) {
  write.doc.fontType = kDoubleByteFont;
  if (!WriteDdbFile(write.doc, write.path, write.prompt)) return false;
  write.doc.fontId = '4';
  return true;
}

}  // namespace dotforge
