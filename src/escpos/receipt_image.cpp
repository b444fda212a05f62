#include "escpos/receipt_image.h"

#include <algorithm>

namespace dotforge {
namespace {

// Draws one cell with its top left corner at (left, top) into `set`.
template <typename SetDot>
void DrawCell(const PrintedCell& cell, std::int32_t left, std::int32_t top, const SetDot& set) {
  const EscPosFontLimits limits = LimitsOf(cell.font);
  for (std::int32_t y = 0; y < limits.height; ++y) {
    for (std::int32_t x = 0; x < limits.width; ++x) {
      const bool black = cell.glyph ? cell.glyph->Dot(x, y)
                                    : (y == 0 || y == limits.height - 1 || x == 0 || x == limits.width - 1);
      if (black) set(left + x, top + y);
    }
  }
}

std::int32_t LineWidth(const PrintedLine& line) {
  std::int32_t width = 0;
  for (const PrintedCell& cell : line) width += LimitsOf(cell.font).width;
  return width;
}

std::int32_t LineHeight(const PrintedLine& line) {
  std::int32_t height = 0;
  for (const PrintedCell& cell : line) height = std::max(height, LimitsOf(cell.font).height);
  return height;
}

}  // namespace

ReceiptImage RenderReceipt(const std::vector<PrintedLine>& lines) {
  ReceiptImage image;
  image.width = kReceiptWidth;
  // A picture has at least one row, even of an empty receipt.
  image.height = std::max<std::int32_t>(1, static_cast<std::int32_t>(lines.size()) * kLinePitch);
  image.dots.assign(static_cast<std::size_t>(image.width * image.height), 0);
  for (std::size_t row = 0; row < lines.size(); ++row) {
    std::int32_t left = 0;
    const auto top = static_cast<std::int32_t>(row) * kLinePitch;
    for (const PrintedCell& cell : lines[row]) {
      DrawCell(cell, left, top, [&](std::int32_t x, std::int32_t y) {
        if (x < image.width) image.dots[static_cast<std::size_t>(y * image.width + x)] = 1;
      });
      left += LimitsOf(cell.font).width;
    }
  }
  return image;
}

std::string LineArt(const PrintedLine& line) {
  const std::int32_t width = LineWidth(line);
  const std::int32_t height = LineHeight(line);
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  std::int32_t left = 0;
  for (const PrintedCell& cell : line) {
    DrawCell(cell, left, 0, [&](std::int32_t x, std::int32_t y) { rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#'; });
    left += LimitsOf(cell.font).width;
  }
  std::string art;
  for (const std::string& row : rows) art += row + '\n';
  return art;
}

}  // namespace dotforge
