#include <gtest/gtest.h>

#include <random>

#include "edit/grid_pictures.h"
#include "edit/pixel_grid.h"
#include "model/character_record.h"

namespace dotforge {
namespace {

TEST(PixelGrid, HoldsEveryPixelAndATrailingZero) {
  const PixelGrid grid(3, 2);
  ASSERT_EQ(grid.Pixels().size(), 7u);
  EXPECT_EQ(grid.Pixels(), (Bytes{1, 1, 1, 1, 1, 1, 0}));
  EXPECT_TRUE(grid.Contains(2, 1));
  EXPECT_FALSE(grid.Contains(3, 0));
  EXPECT_FALSE(grid.Contains(0, -1));
  EXPECT_EQ(PixelGrid(-4, 3).Pixels().size(), 1u);
}

TEST(UnpackBitmap, MostSignificantBitIsTheLeftmostBlackDot) {
  CharacterRecord record(12, 2);
  record.SetPixel(0, 0, true);
  record.SetPixel(9, 1, true);
  PixelGrid grid;
  UnpackBitmap(record.bitmap, 12, 2, grid);
  EXPECT_EQ(test::PictureOf(grid), (test::Picture{"#...........", ".........#.."}));
  EXPECT_EQ(grid.Pixels().back(), 0);
}

// Pad bits of the last byte of each row are 0 in these bitmaps.
Bytes RandomCell(std::int32_t width, std::int32_t height, std::mt19937& random) {
  Bytes cell(CellSize(width, height));
  const std::size_t rowBytes = BytesPerRow(width);
  const int usedBits = width % 8 == 0 ? 8 : width % 8;
  const auto lastMask = static_cast<std::uint8_t>(0xFF << (8 - usedBits));
  for (std::size_t i = 0; i < cell.size(); ++i) {
    cell[i] = static_cast<std::uint8_t>(random());
    if (i % rowBytes == rowBytes - 1) cell[i] &= lastMask;
  }
  return cell;
}

TEST(PackBitmap, UnpackThenPackReturnsTheBitmap) {
  std::mt19937 random(7);
  for (const std::int32_t width : {1, 3, 7, 8, 9, 12, 17, 24, 33}) {
    for (const std::int32_t height : {1, 5, 24}) {
      const Bytes cell = RandomCell(width, height, random);
      PixelGrid grid;
      UnpackBitmap(cell, width, height, grid);
      Bytes packed;
      PackBitmap(grid, width, height, packed);
      EXPECT_EQ(packed, cell) << width << " x " << height;
    }
  }
}

TEST(PackBitmap, PadBitsComeBackAsZero) {
  PixelGrid grid;
  UnpackBitmap(Bytes{0xFF, 0xFF, 0x81, 0x3F}, 10, 2, grid);
  EXPECT_EQ(test::PictureOf(grid), (test::Picture{"##########", "#......#.."}));
  Bytes packed;
  PackBitmap(grid, 10, 2, packed);
  EXPECT_EQ(packed, (Bytes{0xFF, 0xC0, 0x81, 0x00}));
}

TEST(UnpackBitmap, ShortBitmapGivesWhitePixels) {
  PixelGrid grid;
  UnpackBitmap(Bytes{0xF0}, 8, 3, grid);
  EXPECT_EQ(test::PictureOf(grid), (test::Picture{"####....", "........", "........"}));
}

TEST(PackBitmap, PixelsOutsideTheGridPackWhite) {
  const PixelGrid grid = test::GridFrom({"##", "##"});
  Bytes packed{9, 9, 9};
  PackBitmap(grid, 9, 3, packed);
  EXPECT_EQ(packed, (Bytes{0xC0, 0, 0xC0, 0, 0, 0}));
  PackBitmap(grid, 1, 1, packed);
  EXPECT_EQ(packed, Bytes{0x80});
  PackBitmap(grid, 0, 1, packed);
  EXPECT_TRUE(packed.empty());
}

}  // namespace
}  // namespace dotforge
