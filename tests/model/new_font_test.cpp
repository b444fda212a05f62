#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/new_font.h"

namespace dotforge {
namespace {

using Texts = std::vector<std::string>;
using Edit = ScriptedPrompt::NewFontEdit;

NewFontFields Fields(std::string name, std::int32_t type, std::int32_t width, std::int32_t height, std::string field) {
  NewFontFields fields = NewFontDialogDefaults();
  fields.fontType = type;
  ChangeNewFontType(fields);
  fields.fileName = std::move(name);
  fields.width = width;
  fields.height = height;
  fields.idOrStart = std::move(field);
  return fields;
}

TEST(NewFontDialog, OpensAsASingleByteFontOfOneDot) {
  const NewFontFields fields = NewFontDialogDefaults();
  EXPECT_EQ(fields.fileName, "");
  EXPECT_EQ(fields.fontType, kSingleByteFont);
  EXPECT_EQ(fields.width, 1);
  EXPECT_EQ(fields.height, 1);
  EXPECT_EQ(fields.idOrStart, "48");
  EXPECT_EQ(fields.idOrStartLabel, "Font ID");
}

TEST(NewFontDialog, TypeSwitchResetsSizesOutsideTheNewLimits) {
  NewFontFields fields = NewFontDialogDefaults();
  fields.width = 40;
  fields.height = 60;
  fields.fontType = kDoubleByteFont;
  ChangeNewFontType(fields);
  EXPECT_EQ(fields.width, 8);
  EXPECT_EQ(fields.height, 8);
  EXPECT_EQ(fields.idOrStart, "0020");
  EXPECT_EQ(fields.idOrStartLabel, "Start (hex)");
  fields.fontType = kSingleByteFont;
  ChangeNewFontType(fields);
  EXPECT_EQ(fields.width, 8);
  EXPECT_EQ(fields.height, 8);
  EXPECT_EQ(fields.idOrStart, "48");
  EXPECT_EQ(fields.idOrStartLabel, "Font ID");
  // Sizes inside the new limits stay; each side is checked against its own limit.
  fields.width = 32;
  fields.height = 64;
  fields.fontType = kDoubleByteFont;
  ChangeNewFontType(fields);
  EXPECT_EQ(fields.width, 32);
  EXPECT_EQ(fields.height, 8);
}

TEST(NewFontDialog, SingleByteRequest) {
  ScriptedPrompt prompt;
  const auto request = CheckNewFontFields(Fields("ab12", kSingleByteFont, 12, 24, "48"), prompt);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->fontType, kSingleByteFont);
  EXPECT_EQ(request->width, 12);
  EXPECT_EQ(request->height, 24);
  EXPECT_EQ(request->startCode, 0x20);
  EXPECT_EQ(request->fontId, '0');
  EXPECT_EQ(request->name, "ab12.DSB");
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(NewFontDialog, DoubleByteRequest) {
  ScriptedPrompt prompt;
  const auto request = CheckNewFontFields(Fields("KANJI", kDoubleByteFont, 24, 24, "8140"), prompt);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->fontType, kDoubleByteFont);
  EXPECT_EQ(request->startCode, 0x8140);
  EXPECT_EQ(request->fontId, '4');
  EXPECT_EQ(request->name, "KANJI.DDB");
}

struct Refusal {
  NewFontFields fields;
  const char* message;
  MessageKind kind;
};

TEST(NewFontDialog, ChecksInTheirOrder) {
  const Refusal refusals[] = {
      {Fields("", kSingleByteFont, 49, 1, "x"), "Please enter an integer between 1 and 48.", MessageKind::Plain},
      {Fields("", kSingleByteFont, 48, 65, "x"), "Please enter an integer between 1 and 64.", MessageKind::Plain},
      {Fields("", kDoubleByteFont, 7, 8, "x"), "Please enter an integer between 8 and 32.", MessageKind::Plain},
      {Fields("ABCDEFGHI", kSingleByteFont, 8, 8, "x"), msg::kFileNameTooLong, MessageKind::Warning},
      {Fields("", kSingleByteFont, 8, 8, "x"), msg::kEnterFileName, MessageKind::Warning},
      {Fields("AB CD", kSingleByteFont, 8, 8, "x"), msg::kInvalidFileName, MessageKind::Warning},
      {Fields("AB.CD", kSingleByteFont, 8, 8, "x"), msg::kInvalidFileName, MessageKind::Warning},
      {Fields("caf\xC3\xA9", kSingleByteFont, 8, 8, "x"), msg::kInvalidFileName, MessageKind::Warning},
      {Fields("LOGO", kDoubleByteFont, 8, 8, "001F"), msg::kStartCodeTooLow, MessageKind::Warning},
      {Fields("LOGO", kDoubleByteFont, 8, 8, "zz"), msg::kStartCodeTooLow, MessageKind::Warning},
      {Fields("LOGO", kSingleByteFont, 8, 8, "52"), msg::kFontIdRange, MessageKind::Plain},
      {Fields("LOGO", kSingleByteFont, 8, 8, "47"), msg::kFontIdRange, MessageKind::Plain},
      {Fields("LOGO", kSingleByteFont, 8, 8, "id"), msg::kFontIdRange, MessageKind::Plain},
  };
  for (const Refusal& refusal : refusals) {
    ScriptedPrompt prompt;
    EXPECT_FALSE(CheckNewFontFields(refusal.fields, prompt).has_value()) << refusal.message;
    ASSERT_EQ(prompt.Texts(), Texts{refusal.message});
    EXPECT_EQ(prompt.Entries()[0].kind, refusal.kind) << refusal.message;
  }
}

TEST(NewFontDialog, BoundaryValuesAreAccepted) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(CheckNewFontFields(Fields("A", kDoubleByteFont, 32, 32, "0020"), prompt).has_value());
  EXPECT_TRUE(CheckNewFontFields(Fields("ABCDEFGH", kSingleByteFont, 48, 64, "51"), prompt).has_value());
  EXPECT_TRUE(CheckNewFontFields(Fields("a", kSingleByteFont, 1, 1, " 50"), prompt).has_value());
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(NewFontDialog, StaysOpenUntilTheFieldsPass) {
  ScriptedPrompt prompt;
  prompt.QueueNewFont(Edit{.fileName = "logo", .width = 16, .height = 16, .idOrStart = "52"});
  prompt.QueueNewFont(Edit{.idOrStart = "51"});
  const auto request = RunNewFontDialog(prompt);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->fontId, '3');
  EXPECT_EQ(request->name, "logo.DSB");
  EXPECT_EQ(prompt.Texts(), (Texts{"New Font", msg::kFontIdRange}));
}

TEST(NewFontDialog, PickingTheTypeRefreshesTheField) {
  ScriptedPrompt prompt;
  prompt.QueueNewFont(Edit{.fontType = kDoubleByteFont, .fileName = "big"});
  const auto request = RunNewFontDialog(prompt);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->startCode, 0x20);
  EXPECT_EQ(request->width, 8);
  EXPECT_EQ(request->height, 8);
}

TEST(CreateNewFontSet, SingleByteHoldsEveryCodeBlank) {
  NewFontRequest request{24, 12, kSingleByteFont, 0x20, '0', "ab12.DSB"};
  CDotforgeImportDoc doc;
  CreateNewFontSet(doc, request);
  EXPECT_EQ(doc.GetTitle(), "AB12.DSB");
  EXPECT_EQ(doc.name, "AB12.DSB");
  EXPECT_EQ(doc.fontId, '0');
  EXPECT_EQ(doc.fontType, kSingleByteFont);
  EXPECT_EQ(doc.width, 12);
  EXPECT_EQ(doc.height, 24);
  EXPECT_EQ(doc.characterCount, 224);
  ASSERT_EQ(doc.characters.size(), 224u);
  for (std::size_t i = 0; i < doc.characters.size(); ++i) {
    EXPECT_EQ(doc.codes[i], static_cast<std::int32_t>(0x20 + i));
    EXPECT_EQ(doc.characters[i]->label, FormatLabel(doc.codes[i]));
    EXPECT_EQ(doc.characters[i]->bitmap, Bytes(48, 0));
  }
  EXPECT_EQ(doc.selected, nullptr);
  EXPECT_FALSE(doc.IsModified());
}

TEST(CreateNewFontSet, DoubleByteHoldsTheStartCode) {
  NewFontRequest request{16, 16, kDoubleByteFont, 0x8140, '4', "kanji.DDB"};
  CDotforgeImportDoc doc;
  CreateNewFontSet(doc, request);
  EXPECT_EQ(doc.GetTitle(), "KANJI.DDB");
  EXPECT_EQ(doc.startCode, 0x8140);
  EXPECT_EQ(doc.fontId, '4');
  EXPECT_EQ(doc.characterCount, 1);
  ASSERT_EQ(doc.codes, std::vector<std::int32_t>{0x8140});
  EXPECT_EQ(doc.characters[0]->label, "8140");
  EXPECT_EQ(doc.characters[0]->bitmap, Bytes(32, 0));
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace dotforge
