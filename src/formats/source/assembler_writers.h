#pragma once
// The two assembler texts: ST9 (one strip per pixel row holding that row of every
// character side by side) and ASM (one block per character). Bytes are written
// "0%02XH", 16 to a ".byte" line.

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

Bytes EncodeSt9File(const CDotforgeImportDoc& doc);
// An ST9 file holds no codes: read back, its characters take 0x20, 0x21, ... in
// the order written. How many of the written characters then have another code.
std::size_t St9CharactersAtOtherCodes(const CDotforgeImportDoc& doc);
Bytes EncodeAsmFile(const CDotforgeImportDoc& doc);

}  // namespace dotforge
