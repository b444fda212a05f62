#pragma once
// The PSF2 console font file: a 32-byte header, the glyphs in ascending code
// order (rows padded to whole bytes), and the Unicode table that gives each glyph
// its code point in UTF-8, each entry ended by 0xFF.

#include <cstddef>

#include "formats/codepages/code_page_decoder.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

struct PsfExport {
  Bytes file;
  // Glyphs that stand for no Unicode character (a code that is a surrogate, or
  // one the code page does not decode): written with an empty table entry.
  std::size_t withoutUnicode = 0;
};

// Each glyph's entry names the Unicode character it was made from. The codes of
// the others are read through `decoder`; without one they are taken as Unicode
// code points (a single-byte set's codes are then Latin-1).
PsfExport EncodePsf2File(const CDotforgeImportDoc& doc, const CodePageDecoder* decoder);

}  // namespace dotforge
