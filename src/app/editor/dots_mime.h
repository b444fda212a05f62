#pragma once
// The clipboard forms of a block of dots from the editor: the program's own
// bytes (edit/dots_transfer.h), a PNG picture with one black or white pixel per
// dot, and text art for plain-text programs.

#include <QMimeData>

#include "edit/pixel_grid.h"

namespace dotforge {

inline constexpr const char* kDotsMimeType = "application/x-dotforge-dots";
inline constexpr const char* kPngMimeType = "image/png";

// The picture of `dots`: black dots black, white dots white, one pixel each.
QImage DotsImage(const PixelGrid& dots);
// All three forms of `dots` together.
QMimeData* DotsMimeData(const PixelGrid& dots);
// Puts `dots` on the system clipboard in all three forms.
void CopyDotsToClipboard(const PixelGrid& dots);

}  // namespace dotforge
