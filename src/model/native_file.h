#pragma once
// The native font file (.DAT): magic "DOTFORGE", a 1024-byte header with a table of
// code ranges, then every character's cell in list order.

#include <filesystem>
#include <optional>

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

inline constexpr std::size_t kNativeHeaderSize = 1024;
inline constexpr std::size_t kNativeMaxRanges = (kNativeHeaderSize - 22) / 3;  // 334
inline constexpr std::int32_t kMaxCharactersPerRange = 224;

void ReadNativeFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt);
void ReadNativeFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt);

// The file's bytes, or nothing after telling the user why the font set cannot be
// stored (cell size beyond 1..127, more than 334 code ranges).
std::optional<Bytes> EncodeNativeFile(const CDotforgeImportDoc& doc, Prompt& prompt);
bool WriteNativeFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt);

}  // namespace dotforge
