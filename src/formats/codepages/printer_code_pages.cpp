#include "formats/codepages/printer_code_pages.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"

namespace dotforge {
namespace {

struct CodePage {
  const char* name;
  const char32_t* sample;
};

// The double-byte pages; every other page shows Latin letters.
constexpr std::array<CodePage, 5> kCjkSamples{{{"SHIFT_JIS", msg::kPreviewJapanese},
                                              {"GBK", msg::kPreviewSimplifiedChinese},
                                              {"GB18030", msg::kPreviewSimplifiedChinese},
                                              {"BIG5", msg::kPreviewTraditionalChinese},
                                              {"EUC-KR", msg::kPreviewKorean}}};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

}  // namespace

std::vector<CodePageChoice> PrinterCodePages() {
  std::vector<CodePageChoice> choices;
  for (const EncodingChoice& page : ImportEncodings()) choices.push_back({page.text, page.name});
  return choices;
}

std::u32string PreviewSample(const std::string& encoding) {
  const std::string wanted = Upper(encoding);
  for (const CodePage& page : kCjkSamples) {
    if (page.name == wanted) return page.sample;
  }
  return msg::kPreviewLatin;
}

}  // namespace dotforge
