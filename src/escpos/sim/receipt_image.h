#pragma once
// The printed lines as a picture of the receipt: 576 dots wide, each line as
// high as the paper was fed after it (30 dots at the printer's default line
// spacing, a raster picture's own height), with its cells from the left,
// top-aligned, each as wide as its printer font's cell or its picture. A
// user-defined character is drawn from its columns; any other character as the
// outline of its cell. A cut takes no room.

#include <cstdint>
#include <string>
#include <vector>

#include "escpos/dot_image.h"
#include "escpos/sim/escpos_printer.h"
#include "escpos/png_writer.h"

namespace dotforge {

using ReceiptImage = DotImage;

ReceiptImage RenderReceipt(const std::vector<PrintedLine>& lines);

// One line as text art: a row of '#' (black) and '.' per dot row of the line's
// cells, as wide as the cells; a cut as its mark.
std::string LineArt(const PrintedLine& line);

}  // namespace dotforge
