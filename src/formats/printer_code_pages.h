#pragma once
// The printer code pages a keep-codes outline import offers, with the sample
// characters its preview draws for each.

#include <string>
#include <vector>

#include "framework/dialog_requests.h"

namespace dotforge {

// "Unicode (no re-encoding)" first (empty name), then CP437, CP850, CP858,
// CP1252, ISO-8859-1, Shift_JIS, GBK, Big5, EUC-KR.
std::vector<CodePageChoice> PrinterCodePages();

// The preview's sample characters for a code page (an iconv name, any case):
// CJK ones for the double-byte pages above, else Latin letters.
std::u32string PreviewSample(const std::string& encoding);

}  // namespace dotforge
