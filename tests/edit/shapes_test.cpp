#include <gtest/gtest.h>

#include "edit/ellipse_raster.h"
#include "edit/flood_fill.h"
#include "edit/glyph_shapes.h"
#include "edit/line_raster.h"
#include "edit/rectangle_raster.h"
#include "edit/grid_pictures.h"

namespace dotforge {
namespace {

using test::GridFrom;
using test::Picture;
using test::PictureOf;

Picture Blank(int width, int height) { return Picture(static_cast<std::size_t>(height), std::string(width, '.')); }

TEST(LineTest, ShallowSteepAndStraightLinesHaveNoGaps) {
  PixelGrid grid = GridFrom(Blank(8, 5));
  DrawLine(grid, {0, 0}, {7, 3}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "##......",
                                 "..##....",
                                 "....##..",
                                 "......##",
                                 "........",
                             }));

  grid = GridFrom(Blank(4, 5));
  DrawLine(grid, {3, 4}, {1, 0}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 ".#..",
                                 ".#..",
                                 "..#.",
                                 "..#.",
                                 "...#",
                             }));

  grid = GridFrom(Blank(5, 3));
  DrawLine(grid, {4, 1}, {0, 1}, kBlackPixel);
  DrawLine(grid, {2, 0}, {2, 2}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{"..#..", "#####", "..#.."}));

  grid = GridFrom(Blank(3, 3));
  DrawLine(grid, {1, 1}, {1, 1}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{"...", ".#.", "..."}));
}

TEST(LineTest, EndsOutsideTheGridAreClippedAndWhiteErases) {
  PixelGrid grid = GridFrom({"#####", "#####", "#####"});
  DrawLine(grid, {-4, 1}, {40, 1}, kWhitePixel);
  DrawLine(grid, {-2, -2}, {-9, 7}, kWhitePixel);  // wholly outside: nothing
  EXPECT_EQ(PictureOf(grid), (Picture{"#####", ".....", "#####"}));
  DrawLine(grid, {-1, -1}, {3, 3}, kWhitePixel);
  EXPECT_EQ(PictureOf(grid), (Picture{".####", ".....", "##.##"}));
}

TEST(RectangleTest, OutlineAndFilledFromEitherCorner) {
  PixelGrid grid = GridFrom(Blank(6, 5));
  DrawRectangle(grid, {4, 3}, {1, 1}, kBlackPixel, false);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "......",
                                 ".####.",
                                 ".#..#.",
                                 ".####.",
                                 "......",
                             }));
  grid = GridFrom(Blank(6, 5));
  DrawRectangle(grid, {1, 3}, {4, 1}, kBlackPixel, true);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "......",
                                 ".####.",
                                 ".####.",
                                 ".####.",
                                 "......",
                             }));
  // A one-row rectangle is a line; a filled one erases in white.
  DrawRectangle(grid, {0, 2}, {5, 2}, kWhitePixel, false);
  EXPECT_EQ(PictureOf(grid)[2], "......");
  EXPECT_EQ(PictureOf(grid)[1], ".####.");
}

TEST(RectangleTest, OnlyTheVisiblePartOfTheBorderIsDrawn) {
  PixelGrid grid = GridFrom(Blank(5, 5));
  DrawRectangle(grid, {-2, -2}, {2, 2}, kBlackPixel, false);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "..#..",
                                 "..#..",
                                 "###..",
                                 ".....",
                                 ".....",
                             }));
  grid = GridFrom(Blank(3, 3));
  DrawRectangle(grid, {-5, -5}, {50, 50}, kBlackPixel, false);  // border all outside
  EXPECT_EQ(PictureOf(grid), Blank(3, 3));
  DrawRectangle(grid, {-5, -5}, {50, 50}, kBlackPixel, true);
  EXPECT_EQ(PictureOf(grid), (Picture{"###", "###", "###"}));
}

TEST(EllipseTest, FitsItsBoxAndIsClosed) {
  PixelGrid grid = GridFrom(Blank(5, 5));
  DrawEllipse(grid, {0, 0}, {4, 4}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 ".###.",
                                 "#...#",
                                 "#...#",
                                 "#...#",
                                 ".###.",
                             }));
  grid = GridFrom(Blank(9, 6));
  DrawEllipse(grid, {7, 4}, {1, 1}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 ".........",
                                 "..#####..",
                                 ".#.....#.",
                                 ".#.....#.",
                                 "..#####..",
                                 ".........",
                             }));
}

TEST(EllipseTest, ThinBoxesGiveLinesAndTheOutsideIsClipped) {
  PixelGrid grid = GridFrom(Blank(4, 4));
  DrawEllipse(grid, {2, 0}, {2, 3}, kBlackPixel);
  DrawEllipse(grid, {0, 3}, {1, 3}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{"..#.", "..#.", "..#.", "###."}));
  grid = GridFrom(Blank(3, 3));
  DrawEllipse(grid, {-2, -2}, {2, 2}, kBlackPixel);  // the circle's lower right quarter
  EXPECT_EQ(PictureOf(grid), (Picture{"..#", "..#", "##."}));
}

TEST(FloodFillTest, FillsTheEnclosedAreaOnly) {
  PixelGrid grid = GridFrom({
      "......",
      ".####.",
      ".#..#.",
      ".#..#.",
      ".####.",
      "......",
  });
  FloodFill(grid, {2, 3}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "......",
                                 ".####.",
                                 ".####.",
                                 ".####.",
                                 ".####.",
                                 "......",
                             }));
  // The black area filled white takes the whole ring with it.
  FloodFill(grid, {1, 1}, kWhitePixel);
  EXPECT_EQ(PictureOf(grid), Blank(6, 6));
}

TEST(FloodFillTest, DiagonalNeighboursDoNotConnectAndNoOpsChangeNothing) {
  PixelGrid grid = GridFrom({"..#", ".#.", "#.."});
  FloodFill(grid, {0, 0}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{"###", "##.", "#.."}));
  FloodFill(grid, {2, 2}, kWhitePixel);  // already white
  FloodFill(grid, {3, 0}, kBlackPixel);  // outside
  FloodFill(grid, {-1, 1}, kBlackPixel);
  EXPECT_EQ(PictureOf(grid), (Picture{"###", "##.", "#.."}));
}

TEST(FloodFillTest, ALargeAreaNeedsNoDeepRecursion) {
  PixelGrid grid(1000, 1000);
  grid.Set(500, 500, kBlackPixel);
  FloodFill(grid, {0, 0}, kBlackPixel);
  for (std::int32_t row = 0; row < grid.Height(); ++row) {
    for (std::int32_t column = 0; column < grid.Width(); ++column) ASSERT_EQ(grid.At(column, row), kBlackPixel);
  }
}

TEST(GlyphShapesTest, EachKindDrawsItsShape) {
  const auto drawn = [](ShapeKind kind) {
    PixelGrid grid = GridFrom(Blank(5, 4));
    DrawShapeOn(grid, kind, {0, 0}, {4, 3}, kBlackPixel);
    return PictureOf(grid);
  };
  EXPECT_EQ(drawn(ShapeKind::Line), (Picture{"#....", ".#...", "..##.", "....#"}));
  EXPECT_EQ(drawn(ShapeKind::Rectangle), (Picture{"#####", "#...#", "#...#", "#####"}));
  EXPECT_EQ(drawn(ShapeKind::FilledRectangle), (Picture{"#####", "#####", "#####", "#####"}));
  EXPECT_EQ(drawn(ShapeKind::Ellipse), (Picture{".###.", "#...#", "#...#", ".###."}));
}

}  // namespace
}  // namespace dotforge
