#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/font_properties.h"
#include "model/font_set.h"
#include "model/model_messages.h"
#include "model/resize.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Texts = std::vector<std::string>;
using Edit = ScriptedPrompt::FontPropertiesEdit;

TEST(FontPropertiesDialog, OpensWithTheFontSetsValues) {
  const FontPropertiesFields single = FontPropertiesDialogFields(kSingleByteFont, 12, 24, 224, '1');
  EXPECT_EQ(single.width, 12);
  EXPECT_EQ(single.height, 24);
  EXPECT_EQ(single.characterCount, 224);
  EXPECT_EQ(single.fontId, "49");
  EXPECT_EQ(single.fontType, "Single Byte");
  EXPECT_TRUE(single.fontIdEnabled);

  const FontPropertiesFields twoByte = FontPropertiesDialogFields(kDoubleByteFont, 24, 24, 3, '4');
  EXPECT_EQ(twoByte.fontId, "52");
  EXPECT_EQ(twoByte.fontType, "Double Byte");
  EXPECT_FALSE(twoByte.fontIdEnabled);

  const FontPropertiesFields unknown = FontPropertiesDialogFields(-1, 8, 8, 0, '\xC8');
  EXPECT_EQ(unknown.fontType, "unknown");
  EXPECT_EQ(unknown.fontId, "200");
  EXPECT_TRUE(unknown.fontIdEnabled);
}

TEST(FontPropertiesDialog, EnabledIdMustBeASingleByteId) {
  FontPropertiesFields fields = FontPropertiesDialogFields(kSingleByteFont, 8, 8, 1, '0');
  ScriptedPrompt prompt;
  for (const char* id : {"52", "47", "", "abc", "49x"}) {
    fields.fontId = id;
    EXPECT_FALSE(CheckFontProperties(fields, prompt)) << id;
  }
  EXPECT_EQ(prompt.Texts(), Texts(5, msg::kFontIdRange));
  EXPECT_EQ(prompt.Entries()[0].kind, MessageKind::Plain);
  prompt.Clear();
  fields.fontId = " 51 ";
  EXPECT_TRUE(CheckFontProperties(fields, prompt));
  fields.fontIdEnabled = false;
  fields.fontId = "52";
  EXPECT_TRUE(CheckFontProperties(fields, prompt));
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(FontPropertiesDialog, GivesBackSizeAndId) {
  ScriptedPrompt prompt;
  prompt.QueueFontProperties(Edit{.width = 10, .fontId = "60"});
  prompt.QueueFontProperties(Edit{.height = 16, .fontId = "50"});
  const auto result = RunFontPropertiesDialog(kSingleByteFont, 16, 24, 224, '0', prompt);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->width, 10);
  EXPECT_EQ(result->height, 16);
  EXPECT_EQ(result->fontId, '2');
  EXPECT_EQ(prompt.Texts(), (Texts{"Font Properties", msg::kFontIdRange}));
}

TEST(FontPropertiesDialog, DisabledIdComesBackUnchanged) {
  ScriptedPrompt prompt;
  prompt.QueueFontProperties(Edit{.width = 20, .fontId = "48"});
  const auto result = RunFontPropertiesDialog(kDoubleByteFont, 16, 16, 3, '4', prompt);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->fontId, '4');
  EXPECT_EQ(result->width, 20);
}

TEST(FontPropertiesDialog, CancelGivesNothing) {
  ScriptedPrompt prompt;
  prompt.QueueFontProperties(std::nullopt);
  EXPECT_FALSE(RunFontPropertiesDialog(kSingleByteFont, 8, 8, 1, '0', prompt).has_value());
}

TEST(ResizeFontSet, NarrowerWidthWithinTheSameRowBytesKeepsEveryByte) {
  auto doc = test::MakeFontSet(16, 3, {0x41, 0x42});
  ScriptedPrompt prompt;
  ASSERT_TRUE(ResizeFontSet(*doc, 10, 3, prompt));
  EXPECT_EQ(doc->characters[0]->bitmap, test::PatternCell(0x41, 16, 3));
  EXPECT_EQ(doc->characters[1]->width, 10);
  EXPECT_EQ(doc->width, 10);
  EXPECT_TRUE(doc->IsModified());
  // The dots beyond width 10 were kept in the padding and come back.
  ASSERT_TRUE(ResizeFontSet(*doc, 16, 3, prompt));
  EXPECT_EQ(doc->characters[1]->bitmap, test::PatternCell(0x42, 16, 3));
}

TEST(ResizeFontSet, WiderRowsGainAZeroByte) {
  auto doc = test::MakeFontSet(16, 2, {0x41});
  doc->characters[0]->bitmap = {1, 2, 3, 4};
  ScriptedPrompt prompt;
  ASSERT_TRUE(ResizeFontSet(*doc, 24, 2, prompt));
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{1, 2, 0, 3, 4, 0}));
  ASSERT_TRUE(ResizeFontSet(*doc, 8, 2, prompt));
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{1, 3}));
}

TEST(ResizeFontSet, LowerHeightDropsTheLastRows) {
  auto doc = test::MakeFontSet(8, 24, {0x41});
  const Bytes old = doc->characters[0]->bitmap;
  ScriptedPrompt prompt;
  ASSERT_TRUE(ResizeFontSet(*doc, 8, 16, prompt));
  EXPECT_EQ(doc->characters[0]->bitmap, Bytes(old.begin(), old.begin() + 16));
  EXPECT_EQ(doc->characters[0]->height, 16);
  ASSERT_TRUE(ResizeFontSet(*doc, 8, 18, prompt));
  Bytes grown(old.begin(), old.begin() + 16);
  grown.resize(18, 0);
  EXPECT_EQ(doc->characters[0]->bitmap, grown);
}

TEST(ResizeFontSet, RefusesSizesTheFilesCannotHold) {
  auto doc = test::MakeFontSet(8, 8, {0x41});
  ScriptedPrompt prompt;
  EXPECT_FALSE(ResizeFontSet(*doc, 0, 8, prompt));
  EXPECT_FALSE(ResizeFontSet(*doc, 8, -3, prompt));
  EXPECT_FALSE(ResizeFontSet(*doc, 128, 8, prompt));
  EXPECT_EQ(prompt.Texts(), (Texts{msg::kWidthHeightZero, msg::kWidthHeightZero, msg::kCellSizeTooLarge}));
  EXPECT_EQ(doc->width, 8);
  EXPECT_EQ(doc->characters[0]->bitmap, test::PatternCell(0x41, 8, 8));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(ResizeFontSet(*doc, 127, 127, prompt));
}

TEST(ResizeFontSet, RecordOfAnotherSizeIsFittedByItsOwnRows) {
  auto doc = test::MakeFontSet(8, 2, {0x41});
  doc->AppendCharacter(0x42, 16, 2).bitmap = {1, 2, 3, 4};
  ScriptedPrompt prompt;
  ASSERT_TRUE(ResizeFontSet(*doc, 8, 3, prompt));
  EXPECT_EQ(doc->characters[1]->bitmap, (Bytes{1, 3, 0}));
}

}  // namespace
}  // namespace dotforge
