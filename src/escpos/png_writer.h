#pragma once
// Pictures as PNG files through libpng.

#include "escpos/dot_image.h"
#include "platform/bytes.h"

namespace dotforge {

// The picture as a 1-bit grey PNG; false with nothing written on failure (an
// empty picture included).
bool EncodePng(const DotImage& image, Bytes& out);

}  // namespace dotforge
