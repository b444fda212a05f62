#pragma once
// The preview's text as lines of codes. The text is UTF-8; each character is
// encoded by the chosen encoding, a byte that is no UTF-8 becomes kNoCode.
// Escapes: \xHH or \xHHHH puts that code directly (four digits when four
// follow, so \x41 then a hexadecimal letter is written \x0041 and the letter),
// \n a line break, \\ a backslash. A line break is LF, CR LF or CR.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/preview_encoding.h"

namespace dotforge {

using PreviewLine = std::vector<std::uint32_t>;

struct PreviewText {
  std::vector<PreviewLine> lines;  // at least one
  std::string error;               // a bad escape; then `lines` is empty
  bool Empty() const;              // no code on any line
};

PreviewText ParsePreviewText(std::string_view text, const PreviewEncoder& encoder);

}  // namespace dotforge
