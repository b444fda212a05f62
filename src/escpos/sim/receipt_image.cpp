#include "escpos/sim/receipt_image.h"

#include <algorithm>

#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

// Draws one cell with its top left corner at (left, top) into `set`.
template <typename SetDot>
void DrawCell(const PrintedCell& cell, std::int32_t left, std::int32_t top, const SetDot& set) {
  if (cell.picture) {
    for (std::int32_t y = 0; y < cell.picture->height; ++y) {
      for (std::int32_t x = 0; x < cell.picture->width; ++x) {
        if (cell.picture->Black(x, y)) set(left + x, top + y);
      }
    }
    return;
  }
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
  for (const PrintedCell& cell : line) width += cell.Width();
  return width;
}

std::int32_t LineHeight(const PrintedLine& line) {
  std::int32_t height = 0;
  for (const PrintedCell& cell : line) height = std::max(height, cell.Height());
  return height;
}

}  // namespace

ReceiptImage RenderReceipt(const std::vector<PrintedLine>& lines) {
  ReceiptImage image;
  image.width = kReceiptWidth;
  std::int64_t height = 0;
  for (const PrintedLine& line : lines) height += line.feed;
  // A picture has at least one row, even of an empty receipt.
  image.height = static_cast<std::int32_t>(std::max<std::int64_t>(1, height));
  image.dots.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
  std::int32_t top = 0;
  for (const PrintedLine& line : lines) {
    std::int32_t left = 0;
    for (const PrintedCell& cell : line) {
      DrawCell(cell, left, top, [&](std::int32_t x, std::int32_t y) {
        if (x < image.width && y < image.height) {
          image.dots[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)] = 1;
        }
      });
      left += cell.Width();
    }
    top += line.feed;
  }
  return image;
}

std::string LineArt(const PrintedLine& line) {
  if (line.cut) return std::string(msg::kEscPosSimCut) + '\n';
  const std::int32_t width = LineWidth(line);
  const std::int32_t height = LineHeight(line);
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  std::int32_t left = 0;
  for (const PrintedCell& cell : line) {
    DrawCell(cell, left, 0, [&](std::int32_t x, std::int32_t y) { rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#'; });
    left += cell.Width();
  }
  std::string art;
  for (const std::string& row : rows) art += row + '\n';
  return art;
}

}  // namespace dotforge
