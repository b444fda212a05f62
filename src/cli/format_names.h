#pragma once
// The format names the command-line tool accepts and the file extensions they
// are guessed from.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dotforge::cli {

// The import type of a format name ("dat", "dsb", "ddb", "1b", "1f"), any case.
std::optional<int> FormatFromName(std::string_view name);
// The import type guessed from a file's extension, any case.
std::optional<int> FormatFromExtension(const std::filesystem::path& file);
std::string FormatName(int format);
// The comma-separated names, for help texts.
std::string FormatNameList();

}  // namespace dotforge::cli
