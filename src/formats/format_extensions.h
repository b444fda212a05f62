#pragma once
// The import type a file's extension stands for, and which types need a cell size
// before they can be read.

#include <filesystem>
#include <optional>

namespace dotforge {

// The import type guessed from a file's extension, any case; a bitmap font's
// extension may be followed by ".gz".
std::optional<int> FormatFromExtension(const std::filesystem::path& file);
// BDF, PCF, PSF and Unifont hex: read at their own cell size unless one is given.
bool IsBitmapFontFormat(int format);
// The source formats and outline fonts need a cell size to be read.
bool NeedsCellSize(int format);

}  // namespace dotforge
