#pragma once
// The printer code pages a keep-codes outline import offers, with the sample
// characters its preview draws for each.

#include <string>
#include <vector>

#include "framework/dialog_requests.h"

namespace dotforge {

// The code pages the Open dialog offers for bitmap fonts (ImportEncodings):
// "Unicode (no re-encoding)" first (empty name), then the printer code pages.
std::vector<CodePageChoice> PrinterCodePages();

// The preview's sample characters for a code page (an iconv name, any case):
// CJK ones for the double-byte pages above, else Latin letters.
std::u32string PreviewSample(const std::string& encoding);

}  // namespace dotforge
