#pragma once
// Loading a font file for a reader and saving an encoded one, with the messages
// the user sees when either fails.

#include <filesystem>
#include <optional>

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"
#include "platform/file_io.h"

namespace dotforge {

// The file's bytes, or nothing after showing "Unable To Read File".
std::optional<Bytes> LoadFontFile(const std::filesystem::path& path, Prompt& prompt);

// Replaces `path` with `bytes` atomically. Shows "Unable To Open File" when the file
// cannot be created or may not be written and a write-failure message when it
// cannot be completed.
bool SaveFontFile(const std::filesystem::path& path, ByteView bytes, Prompt& prompt);

// The two halves of SaveFontFile, for a writer that asks the user something once
// the file has been created: Open shows "Unable To Open File", Commit the
// write-failure message.
bool OpenFontFileForWriting(AtomicFileWriter& file, const std::filesystem::path& path, Prompt& prompt);
bool CommitFontFile(AtomicFileWriter& file, ByteView bytes, Prompt& prompt);

// True when the cell can be stored in the font files, whose size bytes are read
// back as signed; otherwise shows why and returns false.
bool CheckStorableCell(std::int32_t width, std::int32_t height, Prompt& prompt);

// The font and source files keep a code in 16 bits and a count of characters in
// 16 bits. The checks show why they refuse.
inline constexpr std::uint32_t kMaxStorableCode = 0xFFFF;
bool CheckStorableCount(const CDotforgeImportDoc& doc, Prompt& prompt);
void ReportUnstorableCode(std::uint32_t code, Prompt& prompt);
// Count and every character's code (for writers that do not read the codes
// themselves).
bool CheckStorableCodes(const CDotforgeImportDoc& doc, Prompt& prompt);

}  // namespace dotforge
