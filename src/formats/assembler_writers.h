#pragma once
// The two assembler texts: ST9 (one strip per pixel row holding that row of every
// character side by side) and ASM (one block per character). Bytes are written
// "0%02XH", 16 to a ".byte" line.

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

Bytes EncodeSt9File(const CDotforgeImportDoc& doc);
Bytes EncodeAsmFile(const CDotforgeImportDoc& doc);

}  // namespace dotforge
