#pragma once
// A picture from outside (raw 8-bit pixel rows) turned into glyph dots: every
// pixel darker than the threshold becomes a black dot. Luminance is Rec. 601
// (0.299 R + 0.587 G + 0.114 B). The picture is laid on white paper: a
// transparent pixel gives a white dot and a half-transparent one is blended
// with white before the threshold decides.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "edit/pixel_grid.h"
#include "platform/bytes.h"

namespace dotforge {

enum class RawPixelFormat {
  Gray8,  // one byte per pixel: 0 black .. 255 white, opaque
  Rgba8,  // four bytes per pixel: red, green, blue, alpha (0 transparent .. 255 opaque), not premultiplied
};

// Pixel rows as another program or library hands them over. Row r starts at byte
// r x `stride` of `pixels`; a row may carry padding after its last pixel.
struct RawImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  RawPixelFormat format = RawPixelFormat::Gray8;
  std::size_t stride = 0;
  ByteView pixels;
};

inline constexpr std::int32_t kDefaultThresholdPercent = 50;
inline constexpr std::int32_t kMaxThresholdPercent = 100;

struct ThresholdOptions {
  // 0..100 % of full luminance: a pixel below it is black. 0 makes every dot
  // white; 100 makes every dot black but those of pure white.
  std::int32_t percent = kDefaultThresholdPercent;
  // The picture's colours are inverted before it is laid on white, so light
  // strokes become black dots and transparent pixels still give white ones.
  bool invert = false;
};

// Bytes one pixel of `format` takes.
std::size_t BytesPerPixel(RawPixelFormat format);

// The dots of `image`, one per pixel, or nothing when the description does not
// hold: a side of 0 or below, a stride shorter than a row, or fewer bytes than
// the last row ends at. A percent outside 0..100 counts as the nearer end.
std::optional<PixelGrid> ImageToDots(const RawImage& image, const ThresholdOptions& options);

}  // namespace dotforge
