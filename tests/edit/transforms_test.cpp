#include <gtest/gtest.h>

#include "edit/glyph_transforms.h"
#include "edit/grid_operations.h"
#include "edit/grid_pictures.h"

namespace dotforge {
namespace {

using test::GridFrom;
using test::kLetterA;
using test::Picture;
using test::PictureOf;

TEST(GlyphTransformsTest, FlipsMirrorTheLetter) {
  PixelGrid grid = GridFrom(kLetterA);
  FlipHorizontal(grid);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "....##..",
                                 "...#..#.",
                                 "..#....#",
                                 "..######",
                                 "..#....#",
                                 "#.#....#",
                                 "........",
                             }));
  FlipHorizontal(grid);
  EXPECT_EQ(PictureOf(grid), kLetterA);

  FlipVertical(grid);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "........",
                                 "#....#.#",
                                 "#....#..",
                                 "######..",
                                 "#....#..",
                                 ".#..#...",
                                 "..##....",
                             }));
  FlipVertical(grid);
  EXPECT_EQ(PictureOf(grid), kLetterA);
}

TEST(GlyphTransformsTest, InvertSwapsEveryDotTwiceIsTheSame) {
  PixelGrid grid = GridFrom({"#..", ".#."});
  InvertGrid(grid);
  EXPECT_EQ(PictureOf(grid), (Picture{".##", "#.#"}));
  InvertGrid(grid);
  EXPECT_EQ(PictureOf(grid), (Picture{"#..", ".#."}));
}

TEST(GlyphTransformsTest, QuarterTurnLeftUndoesTheTurnRight) {
  PixelGrid turned;
  RotateCounterClockwise(GridFrom({"##.", "..#"}), turned);
  EXPECT_EQ(PictureOf(turned), (Picture{".#", "#.", "#."}));

  const PixelGrid square = GridFrom({"##..", "#...", "....", "...#"});
  RotateCounterClockwise(square, turned);
  EXPECT_EQ(PictureOf(turned), (Picture{"...#", "....", "#...", "##.."}));
  PixelGrid back;
  RotateClockwise(turned, back);
  EXPECT_EQ(back.Pixels(), square.Pixels());
}

TEST(GlyphTransformsTest, EmptyGridsStayEmpty) {
  PixelGrid grid;
  FlipHorizontal(grid);
  FlipVertical(grid);
  InvertGrid(grid);
  PixelGrid turned;
  RotateCounterClockwise(grid, turned);
  EXPECT_EQ(turned.Width(), 0);
  EXPECT_EQ(grid.Pixels().size(), 1u);
}

}  // namespace
}  // namespace dotforge
