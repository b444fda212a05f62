#pragma once
// The BDF 2.1 bitmap font file (as FreeType and the X11 font tools read it): every
// character a full W x H cell whose box reaches H - B rows below the baseline, in
// ascending code order, ENCODING being the character's code, named "uniXXXX"
// after the Unicode character it stands for when that is known.

#include <cstdint>
#include <string>

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

// The cell rows above the baseline a BDF export takes unless told: H - H/8
// (21 of 24, 14 of 16).
std::int32_t DefaultBaseline(std::int32_t height);
// The baseline the set's glyphs were placed on, while it lies in the cell;
// otherwise DefaultBaseline.
std::int32_t FontSetBaseline(const CDotforgeImportDoc& doc);

struct BdfNames {
  std::string family;    // the FONT name's family; characters XLFD reserves are replaced
  std::string codePage;  // iconv name of the codes' code page; empty: the codes are Unicode
};

// `baseline` lies in 0..doc.height.
Bytes EncodeBdfFile(const CDotforgeImportDoc& doc, std::int32_t baseline, const BdfNames& names);

}  // namespace dotforge
