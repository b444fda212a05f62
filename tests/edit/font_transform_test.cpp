#include <gtest/gtest.h>

#include "edit/font_transform.h"
#include "edit/grid_pictures.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

TEST(ShiftFontSet, ShiftsEveryCharacter) {
  auto doc = test::MakeFontSet(8, 2, {0x41, 0x42});
  doc->characters[0]->bitmap = {0x81, 0xFF};
  doc->characters[1]->bitmap = {0x01, 0x80};
  int repaints = 0;
  doc->AddUpdateListener([&repaints] { ++repaints; });

  ShiftFontSet(*doc, ShiftDirection::Right);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0x40, 0x7F}));
  EXPECT_EQ(doc->characters[1]->bitmap, (Bytes{0x00, 0x40}));
  ShiftFontSet(*doc, ShiftDirection::Up);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0x7F, 0x00}));
  ShiftFontSet(*doc, ShiftDirection::Left);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0xFE, 0x00}));
  ShiftFontSet(*doc, ShiftDirection::Down);
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0x00, 0xFE}));
  EXPECT_EQ(doc->characters[1]->bitmap, (Bytes{0x00, 0x80}));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(repaints, 4);
}

TEST(RotateFontSet, NonSquareCellsTurnAndFourTurnsReturnTheGlyphs) {
  auto doc = test::MakeFontSet(12, 24, {0x41, 0x42, 0x43});
  // Pad bits of a rotated glyph do not survive the turn; clear them first.
  for (const auto& record : doc->characters) {
    for (std::size_t i = 1; i < record->bitmap.size(); i += 2) record->bitmap[i] &= 0xF0;
  }
  std::vector<Bytes> original;
  for (const auto& record : doc->characters) original.push_back(record->bitmap);

  RotateFontSet(*doc);
  EXPECT_EQ(doc->width, 24);
  EXPECT_EQ(doc->height, 12);
  for (const auto& record : doc->characters) {
    EXPECT_EQ(record->width, 24);
    EXPECT_EQ(record->height, 12);
    EXPECT_EQ(record->bitmap.size(), 36u);
  }
  EXPECT_TRUE(doc->IsModified());

  for (int turn = 1; turn < 4; ++turn) RotateFontSet(*doc);
  EXPECT_EQ(doc->width, 12);
  EXPECT_EQ(doc->height, 24);
  for (std::size_t i = 0; i < original.size(); ++i) EXPECT_EQ(doc->characters[i]->bitmap, original[i]);
}

TEST(RotateFontSet, TopRowBecomesTheRightColumn) {
  auto doc = test::MakeFontSet(3, 2, {0x41});
  doc->characters[0]->bitmap = {0xC0, 0x20};  // ##. / ..#
  RotateFontSet(*doc);
  // .# / .# / #.
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0x40, 0x40, 0x80}));
}

TEST(RotateFontSet, EmptySetTurnsItsCell) {
  auto doc = test::MakeFontSet(8, 16, {});
  RotateFontSet(*doc);
  EXPECT_EQ(doc->width, 16);
  EXPECT_EQ(doc->height, 8);
}

}  // namespace
}  // namespace dotforge
