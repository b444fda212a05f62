#pragma once
// Loading a font file for a reader and saving an encoded one, with the messages
// the user sees when either fails.

#include <filesystem>
#include <optional>

#include "framework/prompt.h"
#include "platform/bytes.h"

namespace dotforge {

// The file's bytes, or nothing after showing "Unable To Read File".
std::optional<Bytes> LoadFontFile(const std::filesystem::path& path, Prompt& prompt);

// Replaces `path` with `bytes` atomically. Shows "Unable To Open File" when the file
// cannot be created and a write-failure message when it cannot be completed.
bool SaveFontFile(const std::filesystem::path& path, ByteView bytes, Prompt& prompt);

// True when the cell can be stored in the font files, whose size bytes are read
// back as signed; otherwise shows why and returns false.
bool CheckStorableCell(std::int32_t width, std::int32_t height, Prompt& prompt);

}  // namespace dotforge
