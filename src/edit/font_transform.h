#pragma once
// The font-wide shift and quarter-turn rotate of the character table: every
// character of a font set is unpacked, changed and packed back.

#include "edit/grid_operations.h"
#include "model/font_set.h"

namespace dotforge {

// Shifts every glyph one dot, as the editor's whole-glyph shift does.
void ShiftFontSet(CDotforgeImportDoc& doc, ShiftDirection direction);

// Turns every glyph a quarter clockwise; a non-square glyph and the font set's
// cell swap width and height.
void RotateFontSet(CDotforgeImportDoc& doc);

}  // namespace dotforge
