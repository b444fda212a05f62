#pragma once
// Readers of the printer stream files: ESC & blocks (*.1B, 24-dot columns) and
// US & blocks (*.1F, columns of any height). Bytes around the blocks (other
// printer commands) are skipped.

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

inline constexpr std::uint8_t kESC = 0x1B;
inline constexpr std::uint8_t kUS = 0x1F;
inline constexpr std::size_t kStreamBlockHeaderSize = 6;

void ReadEscStreamFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt);
void ReadUsStreamFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt);

// Column data (columns left to right, each top to bottom, one byte per 8 dots,
// most significant bit on top) into a packed row-major bitmap of `width` x `height`.
void ColumnsToRows(ByteView columns, std::int32_t width, std::int32_t height, Bytes& bitmap);

}  // namespace dotforge
