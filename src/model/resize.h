#pragma once
// Changing the cell size of a whole font set.

#include <cstdint>

#include "framework/prompt.h"
#include "model/font_set.h"

namespace dotforge {

// True for a size ResizeFontSet accepts: 1 to 127 dots each way, what the font
// files can hold.
bool IsResizableCellSize(std::int32_t width, std::int32_t height);

// Fits every glyph into a cell of `width` x `height`, copying whole bytes from the
// top left: dots beyond a narrower width stay in the padding bits. Refuses (with a
// message, nothing changed) a size IsResizableCellSize does not accept.
bool ResizeFontSet(CDotforgeImportDoc& doc, std::int32_t width, std::int32_t height, Prompt& prompt);

}  // namespace dotforge
