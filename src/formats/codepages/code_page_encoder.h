#pragma once
// Unicode code points re-encoded into a printer code page through iconv: the code
// is the encoded bytes read as a big-endian number (CP437 U+00E9 -> 0x82,
// SHIFT_JIS U+3000 -> 0x8140).

#include <optional>
#include <string>
#include <utility>

#include "platform/iconv_handle.h"

namespace dotforge {

class CodePageEncoder {
 public:
  // The encoder for an iconv code page name, or nothing when iconv does not know it.
  static std::optional<CodePageEncoder> Open(const std::string& name);

  // The code of `codePoint`, or nothing when it has no encoding of one or two bytes.
  std::optional<std::uint32_t> Encode(char32_t codePoint) const;

 private:
  explicit CodePageEncoder(IconvHandle handle) : handle_(std::move(handle)) {}

  IconvHandle handle_;
};

}  // namespace dotforge
