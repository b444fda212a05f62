#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/code_entry.h"
#include "model/font_set.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

using Texts = std::vector<std::string>;

TEST(ParseHexCode, ReadsTwoOrFourCharacters) {
  ScriptedPrompt prompt;
  EXPECT_EQ(ParseHexCode("41", prompt), 0x41);
  EXPECT_EQ(ParseHexCode("0041", prompt), 0x41);
  EXPECT_EQ(ParseHexCode("8a", prompt), 0x8A);
  EXPECT_EQ(ParseHexCode("FFFF", prompt), 0xFFFF);
  // Reading stops at the first character that is not a hexadecimal digit.
  EXPECT_EQ(ParseHexCode("4G", prompt), 4);
  EXPECT_EQ(ParseHexCode("81 Z", prompt), 0x81);
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(ParseHexCode, OtherLengthsAndNonNumbersGiveZeroWithTheMessage) {
  for (const char* text : {"041", "41A", "", "4", "00041", "zz", "G123"}) {
    ScriptedPrompt prompt;
    EXPECT_EQ(ParseHexCode(text, prompt), 0) << text;
    EXPECT_EQ(prompt.Texts(), Texts{msg::kNotValidHex}) << text;
  }
}

TEST(CodeEntryCheck, SingleByteRange) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(CheckCodeEntry(kSingleByteFont, "20", prompt));
  EXPECT_TRUE(CheckCodeEntry(kSingleByteFont, "00FF", prompt));
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_FALSE(CheckCodeEntry(kSingleByteFont, "1F", prompt));
  EXPECT_FALSE(CheckCodeEntry(kSingleByteFont, "0100", prompt));
  EXPECT_EQ(prompt.Texts(), (Texts{msg::kSingleByteCodeRange, msg::kSingleByteCodeRange}));
  EXPECT_EQ(prompt.Entries()[0].kind, MessageKind::Warning);
}

TEST(CodeEntryCheck, UnreadableTextShowsTheHexErrorThenTheRange) {
  ScriptedPrompt prompt;
  EXPECT_FALSE(CheckCodeEntry(kSingleByteFont, "041", prompt));
  EXPECT_FALSE(CheckCodeEntry(kDoubleByteFont, "41A", prompt));
  EXPECT_EQ(prompt.Texts(),
            (Texts{msg::kNotValidHex, msg::kSingleByteCodeRange, msg::kNotValidHex, msg::kDoubleByteCodeRange}));
}

TEST(CodeEntryCheck, DoubleByteAndUnknownTypesShareTheWideRange) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(CheckCodeEntry(kDoubleByteFont, "FFFF", prompt));
  EXPECT_TRUE(CheckCodeEntry(-1, "0100", prompt));
  EXPECT_FALSE(CheckCodeEntry(-1, "1F", prompt));
  EXPECT_EQ(prompt.Texts(), Texts{"Error: Valid range [20 -  FFFF]"});
}

TEST(CodeEntryCheck, OtherFontTypesAcceptAnyText) {
  ScriptedPrompt prompt;
  EXPECT_TRUE(CheckCodeEntry(7, "nonsense", prompt));
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(CodeEntryDialog, StaysOpenUntilAnAcceptedCode) {
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("1F");
  prompt.QueueCodeEntry("41");
  EXPECT_EQ(RunCodeEntryDialog(kSingleByteFont, prompt), "41");
  EXPECT_EQ(prompt.Texts(), (Texts{"Character Position", msg::kSingleByteCodeRange}));
}

TEST(CodeEntryDialog, CancelGivesNothing) {
  ScriptedPrompt prompt;
  prompt.QueueCodeEntry("0100");
  prompt.QueueCodeEntry(std::nullopt);
  EXPECT_EQ(RunCodeEntryDialog(kSingleByteFont, prompt), std::nullopt);
  // With no answer left the dialog counts as cancelled.
  EXPECT_EQ(RunCodeEntryDialog(kSingleByteFont, prompt), std::nullopt);
  EXPECT_EQ(prompt.Texts(), (Texts{"Character Position", msg::kSingleByteCodeRange, "Character Position"}));
}

}  // namespace
}  // namespace dotforge
