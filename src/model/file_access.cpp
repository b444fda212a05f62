#include "model/file_access.h"

#include <cstdio>

#include "model/model_messages.h"

namespace dotforge {

std::optional<Bytes> LoadFontFile(const std::filesystem::path& path, Prompt& prompt) {
  int reason = 0;
  std::optional<Bytes> bytes = ReadWholeFile(path, &reason);
  if (!bytes) prompt.ShowFileError(msg::kUnableToReadFile, path.string(), reason);
  return bytes;
}

namespace {

bool Report(WriteStatus status, const AtomicFileWriter& file, const std::filesystem::path& path, Prompt& prompt) {
  switch (status) {
    case WriteStatus::Ok:
      return true;
    case WriteStatus::OpenFailed:
      prompt.ShowFileError(msg::kUnableToOpenFile, path.string(), file.Error());
      return false;
    case WriteStatus::WriteFailed:
      prompt.ShowFileError(msg::kUnableToWriteFile, path.string(), file.Error());
      return false;
  }
  return false;
}

}  // namespace

bool SaveFontFile(const std::filesystem::path& path, ByteView bytes, Prompt& prompt) {
  AtomicFileWriter file;
  return OpenFontFileForWriting(file, path, prompt) && CommitFontFile(file, bytes, prompt);
}

bool OpenFontFileForWriting(AtomicFileWriter& file, const std::filesystem::path& path, Prompt& prompt) {
  return Report(file.Open(path), file, path, prompt);
}

bool CommitFontFile(AtomicFileWriter& file, ByteView bytes, Prompt& prompt) {
  return Report(file.Commit(bytes), file, file.Target(), prompt);
}

bool CheckStorableCell(std::int32_t width, std::int32_t height, Prompt& prompt) {
  if (width >= 1 && width <= 127 && height >= 1 && height <= 127) return true;
  prompt.ShowMessage(msg::kCellTooLarge);
  return false;
}

bool CheckStorableCount(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (doc.characters.size() <= kMaxStorableCode) return true;
  prompt.ShowMessage(msg::kTooManyCharacters);
  return false;
}

void ReportUnstorableCode(std::uint32_t code, Prompt& prompt) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", code);
  prompt.ShowMessage(std::string(msg::kCodeAbove0xFFFF) + digits);
}

bool CheckStorableCodes(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (!CheckStorableCount(doc, prompt)) return false;
  for (const auto& record : doc.characters) {
    const std::uint32_t code = ParseLabelCode(record->label).value_or(0);
    if (code <= kMaxStorableCode) continue;
    ReportUnstorableCode(code, prompt);
    return false;
  }
  return true;
}

}  // namespace dotforge
