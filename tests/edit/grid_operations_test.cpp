#include <gtest/gtest.h>

#include "edit/edit_modes.h"
#include "edit/grid_operations.h"
#include "edit/grid_pictures.h"

namespace dotforge {
namespace {

using test::GridFrom;
using test::kLetterA;
using test::Picture;
using test::PictureOf;

Picture Shifted(const Picture& picture, ShiftDirection direction) {
  PixelGrid grid = GridFrom(picture);
  ShiftGrid(grid, direction);
  return PictureOf(grid);
}

TEST(ShiftGrid, MovesOneDotAndWhitensTheFreedSide) {
  const Picture glyph = {"#..", ".#.", "..#"};
  EXPECT_EQ(Shifted(glyph, ShiftDirection::Down), (Picture{"...", "#..", ".#."}));
  EXPECT_EQ(Shifted(glyph, ShiftDirection::Up), (Picture{".#.", "..#", "..."}));
  EXPECT_EQ(Shifted(glyph, ShiftDirection::Right), (Picture{".#.", "..#", "..."}));
  EXPECT_EQ(Shifted(glyph, ShiftDirection::Left), (Picture{"...", "#..", ".#."}));
}

TEST(ShiftGrid, LostInkDoesNotComeBack) {
  PixelGrid grid = GridFrom({"..", "##"});
  ShiftGrid(grid, ShiftDirection::Down);
  ShiftGrid(grid, ShiftDirection::Up);
  EXPECT_EQ(PictureOf(grid), (Picture{"..", ".."}));
}

TEST(ShiftGrid, SingleDotGlyphTurnsWhite) {
  for (const auto direction : {ShiftDirection::Down, ShiftDirection::Up, ShiftDirection::Right, ShiftDirection::Left}) {
    EXPECT_EQ(Shifted({"#"}, direction), Picture{"."});
  }
}

TEST(ShiftGrid, LetterAMovesRightLosingItsLastColumn) {
  EXPECT_EQ(Shifted(kLetterA, ShiftDirection::Right), (Picture{
                                                          "...##...",
                                                          "..#..#..",
                                                          ".#....#.",
                                                          ".######.",
                                                          ".#....#.",
                                                          ".#....#.",
                                                          "........",
                                                      }));
}

Picture AfterModeClick(const Picture& picture, EditModes modes, std::int32_t column, std::int32_t row) {
  PixelGrid grid = GridFrom(picture);
  ApplyModeClick(grid, modes, column, row);
  return PictureOf(grid);
}

constexpr EditModes kAddRow{.addRow = true};
constexpr EditModes kAddColumn{.addColumn = true};
constexpr EditModes kDeleteRow{.deleteRow = true};
constexpr EditModes kDeleteColumn{.deleteColumn = true};

TEST(ModeClick, AddRowDuplicatesTheRowAndLosesTheBottom) {
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kAddRow, 0, 0), (Picture{"#.", "#.", ".#"}));
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kAddRow, 1, 2), (Picture{"#.", ".#", "##"}));
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kAddRow, 0, 7), (Picture{"#.", ".#", "##"}));
}

TEST(ModeClick, AddColumnOnTheLetterAWidensItsLeftStroke) {
  EXPECT_EQ(AfterModeClick(kLetterA, kAddColumn, 0, 3), (Picture{
                                                            "...##...",
                                                            "..#..#..",
                                                            "##....#.",
                                                            "#######.",
                                                            "##....#.",
                                                            "##....#.",
                                                            "........",
                                                        }));
}

TEST(ModeClick, DeleteRowPullsUpAndWhitensTheBottom) {
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kDeleteRow, 0, 0), (Picture{".#", "##", ".."}));
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kDeleteRow, 0, 2), (Picture{"#.", ".#", ".."}));
  EXPECT_EQ(AfterModeClick({"#.", ".#", "##"}, kDeleteRow, 0, 9), (Picture{"#.", ".#", ".."}));
}

TEST(ModeClick, DeleteColumnPullsLeftAndWhitensTheRightmost) {
  EXPECT_EQ(AfterModeClick({"#.#", "##."}, kDeleteColumn, 0, 0), (Picture{".#.", "#.."}));
  EXPECT_EQ(AfterModeClick({"#.#", "##."}, kDeleteColumn, 2, 0), (Picture{"#..", "##."}));
}

TEST(ModeClick, NegativePositionsChangeNothing) {
  const EditModes all{.addRow = true, .addColumn = true, .deleteRow = true, .deleteColumn = true};
  EXPECT_EQ(AfterModeClick({"#.", ".#"}, all, -1, -1), (Picture{"#.", ".#"}));
}

TEST(ModeClick, SingleDotOnlyChangesOnDelete) {
  EXPECT_EQ(AfterModeClick({"#"}, kAddRow, 0, 0), Picture{"#"});
  EXPECT_EQ(AfterModeClick({"#"}, kAddColumn, 0, 0), Picture{"#"});
  EXPECT_EQ(AfterModeClick({"#"}, kDeleteRow, 0, 0), Picture{"."});
  EXPECT_EQ(AfterModeClick({"#"}, kDeleteColumn, 0, 0), Picture{"."});
}

TEST(ModeClick, AddRowThenDeleteRowOnOneClickWhitensTheBottomRow) {
  const EditModes both{.addRow = true, .deleteRow = true};
  EXPECT_EQ(AfterModeClick(kLetterA, both, 0, 2), kLetterA);  // its bottom row was white already
  const Picture inkedBottom = {"#.", ".#", "##"};
  EXPECT_EQ(AfterModeClick(inkedBottom, both, 0, 1), (Picture{"#.", ".#", ".."}));
}

TEST(ModeClick, EveryModeActsInOrderAndThenTurnsOff) {
  PixelGrid grid = GridFrom({"#..", ".#.", "..#"});
  EditModes modes{.addRow = true, .addColumn = true, .deleteRow = true, .deleteColumn = true, .pen = false};
  ApplyModeClick(grid, modes, 0, 0);
  // Add Row: #.. #.. .#.  Add Column: ##. ##. ..#  Delete Row: ##. ..# ...  Delete Column: #.. .#. ...
  EXPECT_EQ(PictureOf(grid), (Picture{"#..", ".#.", "..."}));
  EXPECT_FALSE(modes.AnyRowOrColumnMode());
  EXPECT_FALSE(modes.pen);
}

TEST(ClearGrid, WhitensEveryPixelAndKeepsTheTrailingZero) {
  PixelGrid grid = GridFrom(kLetterA);
  ClearGrid(grid);
  EXPECT_EQ(PictureOf(grid), Picture(7, "........"));
  EXPECT_EQ(grid.Pixels().back(), 0);
}

TEST(RotateClockwise, TurnsAQuarterAndSwapsTheSides) {
  PixelGrid rotated;
  RotateClockwise(GridFrom({"##.", "..#"}), rotated);
  EXPECT_EQ(PictureOf(rotated), (Picture{".#", ".#", "#."}));
  PixelGrid turned = GridFrom(kLetterA);
  for (int turn = 0; turn < 4; ++turn) {
    RotateClockwise(PixelGrid(turned), turned);
  }
  EXPECT_EQ(PictureOf(turned), kLetterA);
}

}  // namespace
}  // namespace dotforge
