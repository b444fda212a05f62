#pragma once
// The import type a file's extension stands for, and which types need a cell size
// before they can be read.

#include <filesystem>
#include <optional>

namespace dotforge {

// The import type guessed from a file's extension, any case.
std::optional<int> FormatFromExtension(const std::filesystem::path& file);
// The source formats and outline fonts need a cell size to be read.
bool NeedsCellSize(int format);

}  // namespace dotforge
