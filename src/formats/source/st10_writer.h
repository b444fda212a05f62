#pragma once
// The ST10 C source file: one array holding every character's cell, as bytes
// ("0x%02X, ") or as 16-bit words ("0xHHLL, "), with a comment naming each code.

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// `wordBits` 16 writes words, anything else bytes. Every line break is 0x0A.
Bytes EncodeSt10File(const CDotforgeImportDoc& doc, std::int32_t wordBits);

}  // namespace dotforge
