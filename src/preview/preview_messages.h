#pragma once
// Every text the text preview shows. A "{}" is replaced by the value named
// beside it (FormatMessage).

#include "escpos/escpos_messages.h"

namespace dotforge::msg {

// {}: the encoding's name.
inline constexpr const char* kPreviewUnknownEncoding = "The encoding {} is not known.";
// {} 1: the position of the backslash in the text (counted in characters from 1), 2: what follows it.
inline constexpr const char* kPreviewBadEscape =
    "Bad escape at character {}: \\{}. Write \\xHH or \\xHHHH for a code, \\n for a new line, \\\\ for a "
    "backslash.";
// {} 1: the picture's width, 2: its height.
inline constexpr const char* kPreviewTooLarge =
    "The preview would be {} x {} pixels, too large to draw: shorten the text or lower the zoom.";
// {}: the file's name.
inline constexpr const char* kPreviewPngFailed = "Unable to write the preview to {}.";

}  // namespace dotforge::msg
