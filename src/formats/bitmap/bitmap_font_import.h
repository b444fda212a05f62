#pragma once
// The import of bitmap fonts (BDF, PCF, PSF, Unifont hex, each also gzip-packed):
// the file read by its reader, its glyphs given codes and placed into the cells,
// the result handed over as the request's glyph block.

#include <string>

#include "formats/format_entry_points.h"
#include "framework/prompt.h"
#include "model/app_values.h"

namespace dotforge {

// Reads `request.fileName` as `request.importType` with `request.bitmapOptions`;
// fills the glyph block, the cell size (where it was 0) and the counts. False
// after a message when the file cannot be read or no character is kept.
bool ImportBitmapFont(ImportRequest& request, Prompt& prompt);
// The reader entry point of the bitmap fonts: ImportBitmapFont.
bool ReadBitmapFont(const FormatRead& read);

// "N characters kept, M skipped (a below 0x20, ...), K cut at the cell's edges";
// only the reasons that occurred are listed.
std::string BitmapImportSummary(const BitmapImportCounts& counts);

}  // namespace dotforge
