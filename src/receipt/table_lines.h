#pragma once
// A font set's character table as receipt lines: rows of as many cells as fit
// the paper, one blank column of dots between cells, each row after a text
// line with its first code in hexadecimal ("0x0041"). Each cell is the
// preview's picture of its character.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "escpos/streams/picture_stream.h"
#include "model/app_values.h"
#include "model/font_set.h"
#include "escpos/streams/paper.h"

namespace dotforge {

struct TablePrintRequest {
  std::optional<std::vector<CodeRange>> codes;  // nothing: every character
  int zoom = 1;                                 // 1..8
  std::int32_t paperDots = kPaper80mmDots;
};

// The codes of the set's characters in order, each once, within `codes`.
std::vector<std::uint32_t> TableCodes(const CDotforgeImportDoc& fontSet, const std::optional<std::vector<CodeRange>>& codes);

// Nothing, with the message in `error`, when no character is left or a cell
// is wider than the paper.
std::optional<std::vector<ReceiptLine>> TableReceiptLines(const CDotforgeImportDoc& fontSet,
                                                          const TablePrintRequest& request, std::string& error);

}  // namespace dotforge
