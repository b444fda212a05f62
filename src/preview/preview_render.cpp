#include "preview/preview_render.h"

#include <algorithm>
#include <cstring>

namespace dotforge {
namespace {

void FillDot(std::uint8_t* cell, std::int32_t x, int zoom) {
  std::fill_n(cell + static_cast<std::size_t>(x) * static_cast<std::size_t>(zoom), zoom, std::uint8_t{1});
}

// Dot row `y` of a character, read from its packed bitmap within the record's
// own size and bytes; dots beyond them stay white.
void DrawGlyphRow(const CharacterRecord& record, std::int32_t y, std::int32_t width, int zoom, std::uint8_t* cell) {
  if (y >= record.height) return;
  const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow(record.width));
  const std::size_t start = static_cast<std::size_t>(y) * rowBytes;
  if (start >= record.bitmap.size()) return;
  const std::uint8_t* row = record.bitmap.data() + start;
  const std::size_t present = std::min(rowBytes, record.bitmap.size() - start);
  const std::int32_t dots = std::min({width, record.width, static_cast<std::int32_t>(present * 8)});
  for (std::int32_t x = 0; x < dots; ++x) {
    if (row[x / 8] & (0x80 >> (x % 8))) FillDot(cell, x, zoom);
  }
}

void DrawMissingRow(std::int32_t y, std::int32_t width, std::int32_t height, int zoom, std::uint8_t* cell) {
  const bool edge = y == 0 || y == height - 1;
  for (std::int32_t x = 0; x < width; ++x) {
    if (edge || x == 0 || x == width - 1) FillDot(cell, x, zoom);
  }
}

// Draws dot row `y` of every cell of `line` into `row` (one picture row).
void DrawCellRow(const GlyphIndex& glyphs, const PreviewLine& line, std::int32_t y, int zoom, std::uint8_t* row) {
  const std::int32_t width = glyphs.CellWidth();
  const auto cellPixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(zoom);
  for (std::size_t column = 0; column < line.size(); ++column) {
    std::uint8_t* cell = row + column * cellPixels;
    if (const CharacterRecord* record = glyphs.Find(line[column])) {
      DrawGlyphRow(*record, y, width, zoom, cell);
    } else {
      DrawMissingRow(y, width, glyphs.CellHeight(), zoom, cell);
    }
  }
}

}  // namespace

PreviewSize PreviewSizeOf(const GlyphIndex& glyphs, const std::vector<PreviewLine>& lines, int zoom) {
  zoom = std::clamp(zoom, kMinPreviewZoom, kMaxPreviewZoom);
  std::size_t longest = 1;
  for (const PreviewLine& line : lines) longest = std::max(longest, line.size());
  PreviewSize size;
  size.width = static_cast<std::int64_t>(longest) * glyphs.CellWidth() * zoom;
  size.height = static_cast<std::int64_t>(std::max<std::size_t>(1, lines.size())) * glyphs.CellHeight() * zoom;
  return size;
}

std::optional<DotImage> RenderPreview(const GlyphIndex& glyphs, const std::vector<PreviewLine>& lines, int zoom) {
  zoom = std::clamp(zoom, kMinPreviewZoom, kMaxPreviewZoom);
  const PreviewSize size = PreviewSizeOf(glyphs, lines, zoom);
  if (!size.Drawable() || size.width < 1 || size.height < 1) return std::nullopt;
  DotImage image;
  image.width = static_cast<std::int32_t>(size.width);
  image.height = static_cast<std::int32_t>(size.height);
  image.dots.assign(static_cast<std::size_t>(size.width * size.height), 0);
  const auto rowPixels = static_cast<std::size_t>(image.width);
  for (std::size_t lineIndex = 0; lineIndex < lines.size(); ++lineIndex) {
    for (std::int32_t y = 0; y < glyphs.CellHeight(); ++y) {
      const std::size_t top = (lineIndex * static_cast<std::size_t>(glyphs.CellHeight()) + static_cast<std::size_t>(y)) *
                              static_cast<std::size_t>(zoom);
      std::uint8_t* row = image.dots.data() + top * rowPixels;
      DrawCellRow(glyphs, lines[lineIndex], y, zoom, row);
      // The other pixel rows of this dot row are copies.
      for (int copy = 1; copy < zoom; ++copy) std::memcpy(row + static_cast<std::size_t>(copy) * rowPixels, row, rowPixels);
    }
  }
  return image;
}

}  // namespace dotforge
