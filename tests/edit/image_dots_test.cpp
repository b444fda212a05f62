#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "edit/grid_pictures.h"
#include "edit/image_dots.h"

namespace dotforge {
namespace {

// Pixel bytes in a heap block of exactly their size, so that a read past the
// end is caught by the address sanitizer rather than landing in spare capacity.
class ExactBytes {
 public:
  explicit ExactBytes(const std::vector<std::uint8_t>& bytes)
      : size_(bytes.size()), data_(std::make_unique<std::uint8_t[]>(bytes.size())) {
    std::copy(bytes.begin(), bytes.end(), data_.get());
  }
  ByteView View() const { return ByteView(data_.get(), size_); }

 private:
  std::size_t size_;
  std::unique_ptr<std::uint8_t[]> data_;
};

// One row of gray pixels, no padding.
RawImage GrayRow(const ExactBytes& bytes, std::int32_t width) {
  return RawImage{width, 1, RawPixelFormat::Gray8, static_cast<std::size_t>(width), bytes.View()};
}

// One row of RGBA pixels, no padding.
RawImage RgbaRow(const ExactBytes& bytes, std::int32_t width) {
  return RawImage{width, 1, RawPixelFormat::Rgba8, static_cast<std::size_t>(width) * 4, bytes.View()};
}

std::string Convert(const RawImage& image, std::int32_t percent, bool invert = false) {
  const std::optional<PixelGrid> dots = ImageToDots(image, ThresholdOptions{percent, invert});
  return dots ? test::OneLine(*dots) : "refused";
}

TEST(ImageDots, GrayThresholdEdges) {
  const ExactBytes gray({0, 63, 64, 127, 128, 254, 255});
  const RawImage image = GrayRow(gray, 7);
  // 50 % of 255 is 127.5: 127 is darker, 128 is not.
  EXPECT_EQ(ThresholdOptions{}.percent, 50);
  EXPECT_EQ(Convert(image, kDefaultThresholdPercent), "####...");
  // 25 % is 63.75.
  EXPECT_EQ(Convert(image, 25), "##.....");
  // 0 % leaves everything white, even black; 100 % blackens all but pure white.
  EXPECT_EQ(Convert(image, 0), ".......");
  EXPECT_EQ(Convert(image, 100), "######.");
  // Beyond the ends counts as the end.
  EXPECT_EQ(Convert(image, -20), ".......");
  EXPECT_EQ(Convert(image, 400), "######.");
}

TEST(ImageDots, ColoursWeighByRec601Luminance) {
  // Pure red, green and blue: 76.245, 149.685 and 29.07 of 255 (Rec. 709 would
  // give 54.2, 182.4 and 18.4, and put each on the other side of these limits).
  const ExactBytes red({255, 0, 0, 255});
  const ExactBytes green({0, 255, 0, 255});
  const ExactBytes blue({0, 0, 255, 255});
  EXPECT_EQ(Convert(RgbaRow(red, 1), 29), ".");  // 73.95
  EXPECT_EQ(Convert(RgbaRow(red, 1), 30), "#");  // 76.5
  EXPECT_EQ(Convert(RgbaRow(green, 1), 58), ".");
  EXPECT_EQ(Convert(RgbaRow(green, 1), 59), "#");
  EXPECT_EQ(Convert(RgbaRow(blue, 1), 11), ".");
  EXPECT_EQ(Convert(RgbaRow(blue, 1), 12), "#");
  // Gray as RGBA gives what the gray format gives.
  const ExactBytes grays({127, 127, 127, 255, 128, 128, 128, 255});
  EXPECT_EQ(Convert(RgbaRow(grays, 2), 50), "#.");
}

TEST(ImageDots, InvertTurnsLightIntoBlack) {
  const ExactBytes gray({0, 127, 128, 255});
  EXPECT_EQ(Convert(GrayRow(gray, 4), 50, true), "..##");
  // Inverted black is pure white: white even at 100 %.
  EXPECT_EQ(Convert(GrayRow(gray, 4), 100, true), ".###");
  EXPECT_EQ(Convert(GrayRow(gray, 4), 0, true), "....");
}

TEST(ImageDots, TransparentPixelsAreWhitePaper) {
  // Black and white, each fully transparent, half and fully opaque.
  const ExactBytes pixels({0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 128, 0, 0, 0, 127, 0, 0, 0, 255, 255, 255, 255, 255});
  const RawImage image = RgbaRow(pixels, 6);
  // Black at alpha 128 on white is 127 of 255, at alpha 127 it is 128.
  EXPECT_EQ(Convert(image, 50), "..#.#.");
  // Inverted, the white pixel turns black but transparent ones stay white paper.
  EXPECT_EQ(Convert(image, 50, true), ".....#");
  EXPECT_EQ(Convert(image, 100), "..###.");
  EXPECT_EQ(Convert(image, 100, true), ".....#");
}

TEST(ImageDots, RowsFollowTheStrideAndSkipItsPadding) {
  // 3 x 2 gray with 2 padding bytes per row; the padding is black and must not show.
  const ExactBytes gray({0, 255, 0, 0, 0, /**/ 255, 0, 255, 0, 0});
  EXPECT_EQ(Convert(RawImage{3, 2, RawPixelFormat::Gray8, 5, gray.View()}, 50), "#.#/.#.");
  // The last row may end without its padding.
  const ExactBytes shortLast({0, 255, 0, 0, 0, /**/ 255, 0, 255});
  EXPECT_EQ(Convert(RawImage{3, 2, RawPixelFormat::Gray8, 5, shortLast.View()}, 50), "#.#/.#.");
  // 2 x 3 RGBA with an odd stride of 11 bytes (3 padding bytes, white).
  std::vector<std::uint8_t> rgba;
  const std::uint8_t shades[3][2] = {{0, 255}, {255, 0}, {0, 0}};
  for (const auto& row : shades) {
    for (const std::uint8_t shade : row) rgba.insert(rgba.end(), {shade, shade, shade, 255});
    rgba.insert(rgba.end(), {255, 255, 255});
  }
  rgba.resize(rgba.size() - 3);
  const ExactBytes odd(rgba);
  EXPECT_EQ(Convert(RawImage{2, 3, RawPixelFormat::Rgba8, 11, odd.View()}, 50), "#./.#/##");
}

TEST(ImageDots, DescriptionsThatDoNotHoldAreRefused) {
  const ExactBytes six({0, 0, 0, 0, 0, 0});
  // Fits: 2 rows of 3 with stride 3, or 3 rows of 2.
  EXPECT_EQ(Convert(RawImage{3, 2, RawPixelFormat::Gray8, 3, six.View()}, 50), "###/###");
  EXPECT_EQ(Convert(RawImage{2, 3, RawPixelFormat::Gray8, 2, six.View()}, 50), "##/##/##");
  // One byte too few for the last row.
  EXPECT_EQ(Convert(RawImage{3, 2, RawPixelFormat::Gray8, 4, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{7, 1, RawPixelFormat::Gray8, 7, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{2, 1, RawPixelFormat::Rgba8, 8, six.View()}, 50), "refused");
  // A stride shorter than a row.
  EXPECT_EQ(Convert(RawImage{3, 2, RawPixelFormat::Gray8, 2, six.View()}, 50), "refused");
  // Empty or negative sides.
  EXPECT_EQ(Convert(RawImage{0, 2, RawPixelFormat::Gray8, 3, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{3, 0, RawPixelFormat::Gray8, 3, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{-3, 2, RawPixelFormat::Gray8, 3, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{1, -1, RawPixelFormat::Gray8, 1, six.View()}, 50), "refused");
  EXPECT_EQ(Convert(RawImage{1, 1, RawPixelFormat::Gray8, 1, ByteView{}}, 50), "refused");
  // Sizes whose products would overflow are refused, not wrapped around.
  constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();
  EXPECT_EQ(Convert(RawImage{1, 2, RawPixelFormat::Gray8, kHuge, six.View()}, 50), "refused");
  EXPECT_EQ(
      Convert(RawImage{1, std::numeric_limits<std::int32_t>::max(), RawPixelFormat::Gray8, kHuge / 4, six.View()}, 50),
      "refused");
  EXPECT_EQ(
      Convert(RawImage{std::numeric_limits<std::int32_t>::max(), 1, RawPixelFormat::Rgba8, kHuge, six.View()}, 50),
      "refused");
}

TEST(ImageDots, SinglePixelAndLargeImages) {
  const ExactBytes dark({10});
  const ExactBytes light({200});
  EXPECT_EQ(Convert(GrayRow(dark, 1), 50), "#");
  EXPECT_EQ(Convert(GrayRow(light, 1), 50), ".");
  EXPECT_EQ(Convert(GrayRow(light, 1), 80, true), "#");

  // 2000 x 1500 RGBA with 4 padding bytes per row: a diagonal gray ramp (column
  // plus row, scaled to 0..255), so each row's first white dot is known.
  constexpr std::int32_t kWidth = 2000;
  constexpr std::int32_t kHeight = 1500;
  constexpr std::size_t kStride = kWidth * 4 + 4;
  std::vector<std::uint8_t> bytes(kStride * kHeight - 4);
  const auto shade = [](std::int32_t column, std::int32_t row) {
    return static_cast<std::uint8_t>((column + row) * 255 / (kWidth + kHeight - 2));
  };
  for (std::int32_t row = 0; row < kHeight; ++row) {
    for (std::int32_t column = 0; column < kWidth; ++column) {
      const std::uint8_t value = shade(column, row);
      std::uint8_t* pixel = bytes.data() + row * kStride + column * 4;
      pixel[0] = pixel[1] = pixel[2] = value;
      pixel[3] = 255;
    }
  }
  const ExactBytes large(bytes);
  const std::optional<PixelGrid> dots =
      ImageToDots(RawImage{kWidth, kHeight, RawPixelFormat::Rgba8, kStride, large.View()}, ThresholdOptions{});
  ASSERT_TRUE(dots.has_value());
  ASSERT_EQ(dots->Width(), kWidth);
  ASSERT_EQ(dots->Height(), kHeight);
  std::int64_t wrong = 0;
  for (std::int32_t row = 0; row < kHeight; ++row) {
    for (std::int32_t column = 0; column < kWidth; ++column) {
      const bool black = shade(column, row) <= 127;
      wrong += (dots->At(column, row) == kBlackPixel) != black;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(dots->At(0, 0), kBlackPixel);
  EXPECT_EQ(dots->At(kWidth - 1, kHeight - 1), kWhitePixel);
}

}  // namespace
}  // namespace dotforge
