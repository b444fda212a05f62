#pragma once
// The C array export: a header with the cell size, the count, the codes in
// ascending order and the glyphs in the layout the options name, which a top
// comment states so that the file says how to read it.
//
//   #define NAME_WIDTH 8          #define NAME_BYTES_PER_CHAR 16
//   #define NAME_HEIGHT 16        #define NAME_COUNT 95
//   static const uint16_t NAME_codes[NAME_COUNT] = { 0x0020, ... };
//   static const uint8_t NAME_data[NAME_COUNT * NAME_BYTES_PER_CHAR] = { ... };

#include <filesystem>
#include <string_view>

#include "formats/firmware/firmware_options.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// Every character of `doc` in ascending code order; `name` is a C identifier.
// The codes are taken in 16 bits: the export checks them first.
Bytes EncodeCArrayFile(const CDotforgeImportDoc& doc, std::string_view name, const CArrayOptions& options);

// Writes `doc` to `path`, named after the file; false after a message when its
// codes do not fit in 16 bits or the file cannot be written.
bool WriteCArrayFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const CArrayOptions& options,
                     Prompt& prompt);

}  // namespace dotforge
