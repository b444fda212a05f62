#pragma once
// The C array reader: the cell size, count, codes and glyphs of a header the C
// array export wrote (or one edited by hand in its form), read back in the
// layout, bit order and inversion its top comment names. Comments are skipped,
// the values may be spread over lines as the writer of the file likes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/firmware/firmware_options.h"
#include "framework/prompt.h"
#include "model/app_values.h"
#include "platform/bytes.h"

namespace dotforge {

struct CArrayFont {
  std::int32_t width = 0;
  std::int32_t height = 0;
  CArrayOptions options;
  std::vector<std::int32_t> codes;
  Bytes cells;  // one packed cell per code, in the font set's layout
};

// The font `text` holds; nothing, with the reason in `problem`, when it is not one.
std::optional<CArrayFont> ReadCArrayFont(std::string_view text, std::string& problem);

// Reads `request.fileName` into the request's glyph block (the file's codes) and
// cell size; false after a message when it cannot be read or is no C array font.
bool ImportCArray(ImportRequest& request, Prompt& prompt);

}  // namespace dotforge
