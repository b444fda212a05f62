#pragma once
// Unicode code points re-encoded into a printer code page through iconv: the code
// is the encoded bytes read as a big-endian number (CP437 U+00E9 -> 0x82,
// SHIFT_JIS U+3000 -> 0x8140).

#include <memory>
#include <optional>
#include <string>

namespace dotforge {

class CodePageEncoder {
 public:
  // The encoder for an iconv code page name, or nothing when iconv does not know it.
  static std::optional<CodePageEncoder> Open(const std::string& name);

  // The code of `codePoint`, or nothing when it has no encoding of one or two bytes.
  std::optional<std::uint32_t> Encode(char32_t codePoint) const;

 private:
  struct Release {
    void operator()(void* handle) const;
  };
  explicit CodePageEncoder(void* handle) : handle_(handle) {}

  std::unique_ptr<void, Release> handle_;
};

}  // namespace dotforge
