#pragma once
// The Unifont hex file: one "CODE:BITMAP" line per character in ascending code
// order, the code in four upper-case hexadecimal digits and the 16 rows of an
// 8 x 16 (32 digits) or 16 x 16 (64 digits) cell.

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// Only 8 x 16 and 16 x 16 cells have a Unifont hex form.
bool IsUnifontCell(std::int32_t width, std::int32_t height);

// The set's cell is a Unifont cell and its codes are at most 0xFFFF.
Bytes EncodeUnifontHexFile(const CDotforgeImportDoc& doc);

}  // namespace dotforge
