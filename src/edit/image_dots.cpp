#include "edit/image_dots.h"

#include <algorithm>

namespace dotforge {
namespace {

constexpr std::int64_t kOpaque = 255;
// Rec. 601 weights in thousandths: a white pixel weighs 255000.
constexpr std::int64_t kRedWeight = 299;
constexpr std::int64_t kGreenWeight = 587;
constexpr std::int64_t kBlueWeight = 114;
constexpr std::int64_t kFullLuminance = 255 * 1000;
// Luminance laid on white is kept multiplied by the opaque alpha, so the blend
// needs no division.
constexpr std::int64_t kFullOnWhite = kFullLuminance * kOpaque;

// A pixel's luminance (0..kFullLuminance) and alpha (0..kOpaque).
struct Shade {
  std::int64_t luminance;
  std::int64_t alpha;
};

Shade ShadeAt(const std::uint8_t* pixel, RawPixelFormat format) {
  if (format == RawPixelFormat::Gray8) return {pixel[0] * std::int64_t{1000}, kOpaque};
  return {kRedWeight * pixel[0] + kGreenWeight * pixel[1] + kBlueWeight * pixel[2], pixel[3]};
}

// The shade laid on white paper, 0..kFullOnWhite.
std::int64_t OnWhite(const Shade& shade, bool invert) {
  const std::int64_t luminance = invert ? kFullLuminance - shade.luminance : shade.luminance;
  return luminance * shade.alpha + kFullLuminance * (kOpaque - shade.alpha);
}

bool Describes(const RawImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * BytesPerPixel(image.format);
  if (image.stride < rowBytes || image.pixels.size() < rowBytes) return false;
  // The last row must end inside the bytes: (height - 1) x stride + rowBytes, by division against overflow.
  const std::size_t rowsAfterFirst = static_cast<std::size_t>(image.height) - 1;
  return rowsAfterFirst == 0 || rowsAfterFirst <= (image.pixels.size() - rowBytes) / image.stride;
}

}  // namespace

std::size_t BytesPerPixel(RawPixelFormat format) { return format == RawPixelFormat::Gray8 ? 1 : 4; }

std::optional<PixelGrid> ImageToDots(const RawImage& image, const ThresholdOptions& options) {
  if (!Describes(image)) return std::nullopt;
  const std::int64_t percent = std::clamp(options.percent, 0, kMaxThresholdPercent);
  // Black below percent % of full luminance: onWhite / kFullOnWhite < percent / 100.
  const std::int64_t limit = percent * kFullOnWhite;
  const std::size_t pixelBytes = BytesPerPixel(image.format);
  PixelGrid dots(image.width, image.height);
  for (std::int32_t row = 0; row < image.height; ++row) {
    const std::uint8_t* pixel = image.pixels.data() + static_cast<std::size_t>(row) * image.stride;
    std::uint8_t* out = dots.Row(row);
    for (std::int32_t column = 0; column < image.width; ++column, pixel += pixelBytes) {
      const bool black = OnWhite(ShadeAt(pixel, image.format), options.invert) * 100 < limit;
      out[column] = black ? kBlackPixel : kWhitePixel;
    }
  }
  return dots;
}

}  // namespace dotforge
