#pragma once
// Codes of a printer code page read back as Unicode through iconv: the code is
// taken as its big-endian bytes, one byte for codes up to 0xFF, two above
// (SHIFT_JIS 0x8140 -> U+3000, CP437 0x82 -> U+00E9).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/iconv_handle.h"

namespace dotforge {

class CodePageDecoder {
 public:
  // The decoder for an iconv code page name, or nothing when iconv does not know it.
  static std::optional<CodePageDecoder> Open(const std::string& name);

  // The one code point the code stands for; nothing when its bytes are no whole
  // character of the code page or stand for more than one code point.
  std::optional<char32_t> Decode(std::uint32_t code) const;

 private:
  explicit CodePageDecoder(IconvHandle handle) : handle_(std::move(handle)) {}

  IconvHandle handle_;
};

}  // namespace dotforge
