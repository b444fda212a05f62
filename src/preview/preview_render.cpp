#include "preview/preview_render.h"

#include <algorithm>
#include <cstring>

namespace dotforge {
namespace {

bool MissingBoxDot(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return x == 0 || y == 0 || x == width - 1 || y == height - 1;
}

// Draws dot row `y` of every cell of `line` into `row` (one picture row).
void DrawCellRow(const GlyphIndex& glyphs, const PreviewLine& line, std::int32_t y, int zoom, std::uint8_t* row) {
  const std::int32_t width = glyphs.CellWidth();
  const std::int32_t height = glyphs.CellHeight();
  const auto cellPixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(zoom);
  for (std::size_t column = 0; column < line.size(); ++column) {
    const CharacterRecord* record = glyphs.Find(line[column]);
    std::uint8_t* cell = row + column * cellPixels;
    for (std::int32_t x = 0; x < width; ++x) {
      const bool black = record ? record->Pixel(x, y) : MissingBoxDot(x, y, width, height);
      if (black) std::fill_n(cell + static_cast<std::size_t>(x) * static_cast<std::size_t>(zoom), zoom, std::uint8_t{1});
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
