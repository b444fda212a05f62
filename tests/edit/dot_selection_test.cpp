#include <gtest/gtest.h>

#include "edit/dot_selection.h"
#include "edit/dots_transfer.h"
#include "edit/grid_pictures.h"

namespace dotforge {
namespace {

using test::GridFrom;
using test::Picture;
using test::PictureOf;

const Picture kStart = {
    "##....",
    "##.#..",
    "......",
    "...#..",
};

TEST(DotSelectionTest, MarkIsClippedAtTheGridAndChangesNoDots) {
  const PixelGrid grid = GridFrom(kStart);
  DotSelection selection;
  selection.Mark(grid, RectBetween({-3, -1}, {1, 1}));
  ASSERT_TRUE(selection.Active());
  EXPECT_FALSE(selection.Floating());
  EXPECT_EQ(selection.Area(), (DotRect{0, 0, 2, 2}));
  EXPECT_EQ(PictureOf(selection.Dots(grid)), (Picture{"##", "##"}));

  selection.Mark(grid, DotRect{6, 0, 3, 3});  // wholly beside the grid
  EXPECT_FALSE(selection.Active());
  EXPECT_TRUE(selection.Area().Empty());
}

TEST(DotSelectionTest, MovingLiftsTheDotsAndMovingBackRestoresWhatLayBeneath) {
  PixelGrid grid = GridFrom(kStart);
  DotSelection selection;
  selection.Mark(grid, DotRect{0, 0, 2, 2});
  selection.MoveTo(grid, {2, 1});
  EXPECT_TRUE(selection.Floating());
  EXPECT_EQ(PictureOf(grid), (Picture{
                                 "......",
                                 "..##..",
                                 "..##..",
                                 "...#..",
                             }));
  selection.MoveTo(grid, {3, 2});  // over the dot at (3, 3), then off it again
  EXPECT_EQ(PictureOf(grid), (Picture{"......", "...#..", "...##.", "...##."}));
  selection.MoveTo(grid, {4, 0});
  EXPECT_EQ(PictureOf(grid), (Picture{"....##", "...###", "......", "...#.."}));
  selection.Drop();
  EXPECT_FALSE(selection.Active());
  EXPECT_EQ(PictureOf(grid), (Picture{"....##", "...###", "......", "...#.."}));
}

TEST(DotSelectionTest, AFloatingSelectionKeepsItsDotsOutsideTheGridAndStaysInReach) {
  PixelGrid grid = GridFrom(kStart);
  DotSelection selection;
  selection.Float(grid, GridFrom({"#.#.#.#.", "########", "#......#"}), {0, 2});
  EXPECT_EQ(selection.Area(), (DotRect{0, 2, 8, 3}));
  EXPECT_EQ(PictureOf(grid), (Picture{"##....", "##.#..", "#.#.#.", "######"}));
  selection.MoveTo(grid, {-2, 1});
  EXPECT_EQ(PictureOf(grid), (Picture{"##....", "#.#.#.", "######", ".....#"}));
  // However far it is pushed, one dot of it stays over the grid.
  selection.MoveTo(grid, {-50, 50});
  EXPECT_EQ(selection.Area(), (DotRect{-7, 3, 8, 3}));
  EXPECT_EQ(PictureOf(grid), (Picture{"##....", "##.#..", "......", "...#.."}));
  EXPECT_EQ(PictureOf(selection.Dots(grid)), (Picture{"#.#.#.#.", "########", "#......#"}));
}

TEST(DotSelectionTest, EraseWhitensMarkedDotsOrTakesAFloatingSelectionAway) {
  PixelGrid grid = GridFrom(kStart);
  DotSelection selection;
  selection.Mark(grid, DotRect{1, 1, 3, 3});
  selection.Erase(grid);
  EXPECT_FALSE(selection.Active());
  EXPECT_EQ(PictureOf(grid), (Picture{"##....", "#.....", "......", "......"}));

  grid = GridFrom(kStart);
  selection.Mark(grid, DotRect{0, 0, 2, 2});
  selection.MoveTo(grid, {3, 2});
  selection.Erase(grid);
  EXPECT_EQ(PictureOf(grid), (Picture{"......", "...#..", "......", "...#.."}));
  selection.Erase(grid);  // nothing selected any more
  EXPECT_EQ(PictureOf(grid), (Picture{"......", "...#..", "......", "...#.."}));
}

TEST(DotsTransferTest, TheByteFormRoundTripsAnyWidth) {
  const PixelGrid dots = GridFrom({"#.........#", ".#########.", "..........#"});
  const Bytes bytes = EncodeDots(dots);
  EXPECT_EQ(bytes, (Bytes{11, 0, 0, 0, 3, 0, 0, 0, 0x80, 0x20, 0x7F, 0xC0, 0x00, 0x20}));
  const std::optional<PixelGrid> back = DecodeDots(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(PictureOf(*back), PictureOf(dots));
  EXPECT_EQ(DotsTextArt(dots), "#.........#\n.#########.\n..........#\n");
}

TEST(DotsTransferTest, DamagedOrExcessiveBlocksAreRefused) {
  const Bytes good = EncodeDots(GridFrom({"#.", ".#"}));
  for (std::size_t length = 0; length < good.size(); ++length) {
    EXPECT_FALSE(DecodeDots(ByteView(good).first(length))) << length;
  }
  Bytes longer = good;
  longer.push_back(0xFF);
  ASSERT_TRUE(DecodeDots(longer));
  EXPECT_EQ(PictureOf(*DecodeDots(longer)), (Picture{"#.", ".#"}));
  EXPECT_FALSE(DecodeDots(Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0xFF}));
  EXPECT_FALSE(DecodeDots(Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
  // 4097 x 1 and a height near 2^32: refused before anything is allocated.
  Bytes wide{0x01, 0x10, 0, 0, 1, 0, 0, 0};
  wide.resize(wide.size() + 600, 0);
  EXPECT_FALSE(DecodeDots(wide));
  EXPECT_FALSE(DecodeDots(Bytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0}));
}

}  // namespace
}  // namespace dotforge
