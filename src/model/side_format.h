#pragma once
// The numbering of file formats shared by import, export and opening a font set;
// the numbers are stored in settings and requests. formats/format_table.h says
// what each format is.

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
  kFormatOutline = 8,
  // Bitmap fonts.
  kFormatBdf = 9,
  kFormatPcf = 10,
  kFormatPsf = 11,
  kFormatHex = 12,
  // Firmware headers.
  kFormatGfx = 13,     // written only
  kFormatCArray = 14,
};

}  // namespace dotforge
