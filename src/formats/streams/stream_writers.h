#pragma once
// The printer stream files: one ESC & (24-dot columns) or US & (columns of the
// cell's height) record per character, each defining the single code it holds.

#include <cstddef>

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// Set for the whole run of the program; cleared the first time a stream skips a
// code above 0xFF, so that the warning is shown once per run and format.
struct StreamWarnings {
  bool escStream = true;
  bool usStream = true;
};

// The first `maxCharacters` characters of the list, codes above 0xFF skipped
// (with the warning while `warn` is set, which then clears it).
Bytes EncodeStream1B26File(const CDotforgeImportDoc& doc, std::size_t maxCharacters, bool& warn, Prompt& prompt);
Bytes EncodeStream1F26File(const CDotforgeImportDoc& doc, std::size_t maxCharacters, bool& warn, Prompt& prompt);

// Packed rows into columns: for each dot column left to right, `columnBytes`
// bytes for the first rows 0, 8, 16, ..., the top dot in bit 7; rows beyond the
// cell read as 0.
void RowsToColumns(ByteView cell, std::int32_t width, std::int32_t height, std::size_t columnBytes, Bytes& out);

}  // namespace dotforge
