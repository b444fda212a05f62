#pragma once
// The format names the command-line tool accepts and the file extensions they
// are guessed from.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dotforge::cli {

// The import type of a format name ("dat", "dsb", "ddb", "st10", "st9", "asm",
// "1b", "1f", "ttf"), any case.
std::optional<int> FormatFromName(std::string_view name);
// The import type guessed from a file's extension, any case.
std::optional<int> FormatFromExtension(const std::filesystem::path& file);
std::string FormatName(int format);
// The comma-separated names, for help texts.
std::string FormatNameList();
// Outline fonts are read only.
bool IsWritableFormat(int format);
// The source formats and outline fonts need a cell size to be read.
bool NeedsCellSize(int format);

}  // namespace dotforge::cli
