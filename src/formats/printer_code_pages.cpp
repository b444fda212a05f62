#include "formats/printer_code_pages.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "formats/formats_messages.h"

namespace dotforge {
namespace {

struct CodePage {
  const char* name;
  const char32_t* sample;
};

constexpr std::array<CodePage, 9> kCodePages{{{"CP437", msg::kPreviewLatin},
                                              {"CP850", msg::kPreviewLatin},
                                              {"CP858", msg::kPreviewLatin},
                                              {"CP1252", msg::kPreviewLatin},
                                              {"ISO-8859-1", msg::kPreviewLatin},
                                              {"Shift_JIS", msg::kPreviewJapanese},
                                              {"GBK", msg::kPreviewSimplifiedChinese},
                                              {"Big5", msg::kPreviewTraditionalChinese},
                                              {"EUC-KR", msg::kPreviewKorean}}};

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

}  // namespace

std::vector<CodePageChoice> PrinterCodePages() {
  std::vector<CodePageChoice> choices{{msg::kEncodingUnicode, ""}};
  for (const CodePage& page : kCodePages) choices.push_back({page.name, page.name});
  return choices;
}

std::u32string PreviewSample(const std::string& encoding) {
  const std::string wanted = Upper(encoding);
  for (const CodePage& page : kCodePages) {
    if (Upper(page.name) == wanted) return page.sample;
  }
  return msg::kPreviewLatin;
}

}  // namespace dotforge
