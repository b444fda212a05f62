#include "preview/preview_encoding.h"

#include <strings.h>

#include "model/font_set.h"

namespace dotforge {
namespace {

constexpr char32_t kFirstSupplementary = 0x10000;
constexpr std::uint32_t kHighSurrogate = 0xD800;
constexpr std::uint32_t kLowSurrogate = 0xDC00;
constexpr std::uint32_t kSurrogateBits = 10;
constexpr std::uint32_t kSurrogateMask = 0x3FF;

}  // namespace

const std::vector<std::string>& PreviewEncodings(std::int32_t fontType) {
  static const std::vector<std::string> singleByte = {"CP437",      "CP850",      "CP858",      "CP1252",
                                                      "ISO-8859-1", "ISO-8859-2", "ISO-8859-15"};
  static const std::vector<std::string> doubleByte = {kUtf16Encoding, "SHIFT_JIS", "GB18030",
                                                      "GBK",          "BIG5",      "EUC-KR"};
  return fontType == kDoubleByteFont ? doubleByte : singleByte;
}

std::optional<PreviewEncoder> PreviewEncoder::Open(const std::string& name) {
  if (strcasecmp(name.c_str(), kUtf16Encoding) == 0) return PreviewEncoder(std::nullopt);
  std::optional<CodePageEncoder> codePage = CodePageEncoder::Open(name);
  if (!codePage) return std::nullopt;
  return PreviewEncoder(std::move(codePage));
}

void PreviewEncoder::Encode(char32_t codePoint, std::vector<std::uint32_t>& codes) const {
  if (codePage_) {
    codes.push_back(codePage_->Encode(codePoint).value_or(kNoCode));
    return;
  }
  if (codePoint < kFirstSupplementary) {
    codes.push_back(codePoint);
    return;
  }
  const std::uint32_t offset = codePoint - kFirstSupplementary;
  codes.push_back(kHighSurrogate + (offset >> kSurrogateBits));
  codes.push_back(kLowSurrogate + (offset & kSurrogateMask));
}

}  // namespace dotforge
