#pragma once
// The sample line of an ESC/POS stream in the printer's code page.

#include <optional>
#include <string>
#include <string_view>

#include "platform/bytes.h"

namespace dotforge {

enum class EncodeFailure { UnknownCodePage, NotEncodable };

struct EncodedText {
  std::optional<Bytes> bytes;
  EncodeFailure failure = EncodeFailure::NotEncodable;
};

// `text` (UTF-8) in `codePage` through iconv, with every byte below 0x20 but
// LF left out. A character the code page does not hold fails the whole text.
EncodedText EncodeSampleText(std::string_view text, const std::string& codePage);

}  // namespace dotforge
