#pragma once
// How the preview turns a character of its text into the codes of a font set:
// a printer code page through iconv (the code is the encoded one or two bytes
// read as a big-endian number, CP437 U+00E9 -> 0x82, SHIFT_JIS U+3000 ->
// 0x8140), or UTF-16 code units.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/codepages/code_page_encoder.h"

namespace dotforge {

// A character the encoding has no code for; it is drawn as a missing box.
inline constexpr std::uint32_t kNoCode = 0xFFFFFFFF;

inline constexpr const char* kUtf16Encoding = "UTF-16";

// The encodings offered for a font set of `fontType`, the default first.
const std::vector<std::string>& PreviewEncodings(std::int32_t fontType);

class PreviewEncoder {
 public:
  // UTF-16 (any case) or a code page iconv knows; nothing otherwise.
  static std::optional<PreviewEncoder> Open(const std::string& name);

  // Appends the codes of `codePoint`: one code, two UTF-16 surrogates, or kNoCode.
  void Encode(char32_t codePoint, std::vector<std::uint32_t>& codes) const;

 private:
  explicit PreviewEncoder(std::optional<CodePageEncoder> codePage) : codePage_(std::move(codePage)) {}

  // Nothing for UTF-16.
  std::optional<CodePageEncoder> codePage_;
};

}  // namespace dotforge
