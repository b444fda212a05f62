#include <gtest/gtest.h>

#include "model/character_record.h"

namespace dotforge {
namespace {

TEST(PackedBitmap, RowBytesAndCellSizes) {
  EXPECT_EQ(BytesPerRow(1), 1);
  EXPECT_EQ(BytesPerRow(8), 1);
  EXPECT_EQ(BytesPerRow(9), 2);
  EXPECT_EQ(CellSize(12, 24), 48u);
  EXPECT_EQ(CellSize(0, 24), 0u);
  EXPECT_EQ(CellSize(-8, 24), 0u);
  EXPECT_EQ(CellSize(8, -1), 0u);
  EXPECT_EQ(CharacterRecord(12, 24).bitmap.size(), 48u);
}

TEST(PackedBitmap, PixelPositions) {
  CharacterRecord record(12, 24);
  record.SetPixel(0, 0, true);
  EXPECT_EQ(record.bitmap[0], 0x80);
  record.SetPixel(9, 1, true);
  EXPECT_EQ(record.bitmap[3], 0x40);
  EXPECT_TRUE(record.Pixel(9, 1));
  record.SetPixel(9, 1, false);
  EXPECT_EQ(record.bitmap[3], 0x00);
  // Outside the cell nothing is read or written.
  record.SetPixel(12, 0, true);
  record.SetPixel(0, 24, true);
  EXPECT_FALSE(record.Pixel(-1, 0));
  EXPECT_EQ(record.bitmap[1], 0x00);
}

TEST(Labels, FormatAndParse) {
  EXPECT_EQ(FormatLabel(0x20), "0020");
  EXPECT_EQ(FormatLabel(0x8140), "8140");
  EXPECT_EQ(FormatLabel(0x1001F), "1001F");
  EXPECT_EQ(ParseLabelCode("8140"), 0x8140u);
  EXPECT_EQ(ParseLabelCode("00a0"), 0xA0u);
  EXPECT_EQ(ParseLabelCode(" 41"), 0x41u);
  EXPECT_EQ(ParseLabelCode("1001F", 4), 0x1001u);
  EXPECT_EQ(ParseLabelCode("1001F"), 0x1001Fu);
  EXPECT_FALSE(ParseLabelCode("").has_value());
  EXPECT_FALSE(ParseLabelCode("zz").has_value());
}

TEST(FittedCell, SameSizeIsCopied) {
  CharacterRecord record(12, 2);
  record.bitmap = {1, 2, 3, 4};
  Bytes out;
  AppendFittedCell(out, record, 12, 2);
  EXPECT_EQ(out, (Bytes{1, 2, 3, 4}));
}

TEST(FittedCell, LargerRecordIsCutFromTheTopLeft) {
  CharacterRecord record(16, 3);
  record.bitmap = {1, 2, 3, 4, 5, 6};
  Bytes out;
  AppendFittedCell(out, record, 8, 2);
  EXPECT_EQ(out, (Bytes{1, 3}));
}

TEST(FittedCell, SmallerRecordIsZeroPadded) {
  CharacterRecord record(8, 1);
  record.bitmap = {0xFF};
  Bytes out;
  AppendFittedCell(out, record, 16, 2);
  EXPECT_EQ(out, (Bytes{0xFF, 0, 0, 0}));
}

TEST(FittedCell, ShortBitmapIsNeverOverread) {
  CharacterRecord record(16, 4);
  record.bitmap = {9, 8, 7};  // damaged: shorter than its size says
  Bytes out;
  AppendFittedCell(out, record, 16, 4);
  EXPECT_EQ(out, (Bytes{9, 8, 7, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace dotforge
