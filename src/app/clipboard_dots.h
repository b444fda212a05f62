#pragma once
// What the editor's Paste takes from the system clipboard.

#include <optional>

#include "edit/pixel_grid.h"

class QWidget;

namespace dotforge {

// The block of dots on the clipboard: the program's own form, as the editor's
// Copy and Cut put it there. None when the clipboard holds no such block (or a
// damaged one). `parent` is the window any question about the clipboard's
// contents belongs to.
std::optional<PixelGrid> DotsFromClipboard(QWidget* parent);

}  // namespace dotforge
