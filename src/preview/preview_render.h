#pragma once
// The preview picture: each dot of a cell a square of zoom x zoom pixels, the
// characters of a line side by side one cell width apart, the lines one cell
// height apart, black dots on white. A code the set has no character for is
// the outline of a cell (one dot wide). The picture is as wide as the longest
// line and at least one cell.

#include <cstdint>
#include <optional>
#include <vector>

#include "escpos/dot_image.h"
#include "preview/glyph_index.h"
#include "preview/preview_text.h"

namespace dotforge {

inline constexpr int kMinPreviewZoom = 1;
inline constexpr int kMaxPreviewZoom = 8;
// The largest picture drawn, in pixels.
inline constexpr std::int64_t kMaxPreviewPixels = std::int64_t{1} << 26;

struct PreviewSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool Drawable() const { return width * height <= kMaxPreviewPixels; }
};

// The size of the picture of `lines` at `zoom` (taken into 1..8).
PreviewSize PreviewSizeOf(const GlyphIndex& glyphs, const std::vector<PreviewLine>& lines, int zoom);

// The picture; nothing when it would not be drawable.
std::optional<DotImage> RenderPreview(const GlyphIndex& glyphs, const std::vector<PreviewLine>& lines, int zoom);

}  // namespace dotforge
