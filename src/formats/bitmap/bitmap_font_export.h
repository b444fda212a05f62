#pragma once
// The export of a font set as a bitmap font (BDF, PSF2, Unifont hex): the checks
// each makes, its writer into memory, then the atomic save.

#include <filesystem>
#include <optional>
#include <string>

#include "framework/prompt.h"
#include "model/font_set.h"

namespace dotforge {

struct BitmapExportChoice {
  std::optional<int> baseline;  // BDF: cell rows above the baseline; unset: FontSetBaseline
  std::string codePage;         // iconv name of the codes' code page; empty: the codes are Unicode
};

// True for the formats this export writes.
bool IsBitmapExportFormat(int format);

// Writes `doc` to `path` as `format`; false after a message when a check refuses
// it or the file cannot be written.
bool WriteBitmapFontFile(int format, const CDotforgeImportDoc& doc, const std::filesystem::path& path,
                         const BitmapExportChoice& choice, Prompt& prompt);

}  // namespace dotforge
