#pragma once
// A text as receipt lines of pictures: each line of the text is the preview's
// picture of that line, wrapped before the first character that does not fit
// the paper; an empty line stays an empty line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "escpos/streams/picture_stream.h"
#include "model/font_set.h"
#include "escpos/streams/paper.h"

namespace dotforge {

struct TextPrintRequest {
  std::string text;      // UTF-8 with the preview's escapes
  std::string encoding;  // empty: the font type's default
  int zoom = 1;          // 1..8
  std::int32_t paperDots = kPaper80mmDots;
};

// Nothing, with the message in `error`, for an unknown encoding, a bad escape,
// or a character wider than the paper.
std::optional<std::vector<ReceiptLine>> TextReceiptLines(const CDotforgeImportDoc& fontSet,
                                                         const TextPrintRequest& request, std::string& error);

}  // namespace dotforge
