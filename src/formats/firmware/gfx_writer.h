#pragma once
// The Adafruit GFX font export: one header as the library's font converter writes
// them, NAMEBitmaps, NAMEGlyphs (one { bitmapOffset, width, height, xAdvance,
// xOffset, yOffset } per code, with a comment naming the code) and the GFXfont
// NAME { bitmaps, glyphs, first, last, yAdvance }.

#include <filesystem>
#include <string_view>

#include "formats/firmware/firmware_options.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// The header of the characters of `doc` in `options.codes` (at least one),
// `name` being a C identifier. The encoder writes the numbers as they come; the
// export checks first that the library can hold them.
Bytes EncodeGfxFile(const CDotforgeImportDoc& doc, std::string_view name, const GfxOptions& options);

// Writes `doc` to `path`, named after the file; false after a message when the
// cell, a code, the baseline, the range of codes or the bitmaps' size do not fit
// the library's font, or the file cannot be written.
bool WriteGfxFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const GfxOptions& options,
                  Prompt& prompt);

}  // namespace dotforge
