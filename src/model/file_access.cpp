#include "model/file_access.h"

#include "model/model_messages.h"
#include "platform/file_io.h"

namespace dotforge {

std::optional<Bytes> LoadFontFile(const std::filesystem::path& path, Prompt& prompt) {
  std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes) prompt.ShowMessage(msg::kUnableToReadFile);
  return bytes;
}

bool SaveFontFile(const std::filesystem::path& path, ByteView bytes, Prompt& prompt) {
  switch (WriteFileAtomically(path, bytes)) {
    case WriteStatus::Ok:
      return true;
    case WriteStatus::OpenFailed:
      prompt.ShowMessage(msg::kUnableToOpenFile);
      return false;
    case WriteStatus::WriteFailed:
      prompt.ShowMessage(msg::kUnableToWriteFile);
      return false;
  }
  return false;
}

bool CheckStorableCell(std::int32_t width, std::int32_t height, Prompt& prompt) {
  if (width >= 1 && width <= 127 && height >= 1 && height <= 127) return true;
  prompt.ShowMessage(msg::kCellTooLarge);
  return false;
}

}  // namespace dotforge
