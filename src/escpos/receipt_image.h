#pragma once
// The printed lines as a picture of the receipt: 576 dots wide, each line 30
// dots high (the printer's default line spacing) with its cells from the left,
// top-aligned, each as wide as its printer font's cell. A user-defined
// character is drawn from its columns; any other character as the outline of
// its cell.

#include <cstdint>
#include <string>
#include <vector>

#include "escpos/escpos_printer.h"

namespace dotforge {

inline constexpr std::int32_t kLinePitch = 30;

struct ReceiptImage {
  std::int32_t width = kReceiptWidth;
  std::int32_t height = 0;
  std::vector<std::uint8_t> dots;  // row by row, 1 = black
  bool Black(std::int32_t x, std::int32_t y) const { return dots[static_cast<std::size_t>(y * width + x)] != 0; }
};

ReceiptImage RenderReceipt(const std::vector<PrintedLine>& lines);

// One line as text art: a row of '#' (black) and '.' per dot row of the line's
// cells, as wide as the cells.
std::string LineArt(const PrintedLine& line);

// The picture as a 1-bit grey PNG; false with nothing written on failure.
bool EncodePng(const ReceiptImage& image, Bytes& out);

}  // namespace dotforge
