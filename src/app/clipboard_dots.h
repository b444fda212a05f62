#pragma once
// Glyph dots on the system clipboard. Copy puts three forms: the program's own
// type (exact dots), a PNG picture (black dots on white, one pixel per dot) and
// text art ('#' black, '.' white, one line per row). Paste takes the program's
// own type as it is, or turns a picture from another program into dots through
// the "Paste Image" dialog.
//
// The program's own type is plain text: "W H\n" (decimal width and height, each
// 1..1024), then H rows of W bytes, '1' a black dot and '0' a white one, each
// row ended by '\n', and nothing after the last row.

#include <cstdint>
#include <optional>

#include "edit/pixel_grid.h"

class QWidget;

namespace dotforge {

inline constexpr const char* kDotsMimeType = "application/x-dotforge-dots";
inline constexpr std::int32_t kMaxClipboardDotsSide = 1024;

// The dots on the clipboard, or nothing: no dots or picture there, damaged dots
// or a picture too large (both reported over `parent`), or the dialog cancelled.
std::optional<PixelGrid> DotsFromClipboard(QWidget* parent);

// Puts `dots` on the clipboard in all three forms; an empty grid puts nothing.
void PutDotsOnClipboard(const PixelGrid& dots);

}  // namespace dotforge
