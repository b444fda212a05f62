#pragma once
// What the editor's Paste takes from the system clipboard: the program's own
// block of dots as it is (app/dots_mime.h puts it there together with a PNG
// picture and text art), or a picture from another program turned into dots
// through the "Paste Image" dialog.

#include <cstdint>
#include <optional>

#include "edit/pixel_grid.h"

class QWidget;

namespace dotforge {

// No cell is this large; a larger picture is refused rather than cropped.
inline constexpr std::int32_t kLargestPastedPictureSide = 1024;

// The dots on the clipboard, or nothing: no dots or picture there, damaged dots
// or a picture too large (both reported over `parent`), or the dialog cancelled.
std::optional<PixelGrid> DotsFromClipboard(QWidget* parent);

}  // namespace dotforge
