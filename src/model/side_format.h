#pragma once
// The numbering of file formats shared by import, export and opening a font set.

namespace dotforge {

enum SideFormat : int {
  kFormatDat = 0,
  kFormatDsb = 1,
  kFormatDdb = 2,
  kFormatSt10 = 3,
  kFormatSt9 = 4,
  kFormatAsm = 5,
  kFormat1B26 = 6,
  kFormat1F26 = 7,
  kFormatOutline = 8,  // import only
  // Bitmap fonts, import only.
  kFormatBdf = 9,
  kFormatPcf = 10,
  kFormatPsf = 11,
  kFormatHex = 12,
};

inline constexpr int kLastImportFormat = kFormatHex;

}  // namespace dotforge
