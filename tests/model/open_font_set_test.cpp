#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/native_file.h"
#include "model/open_font_set.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

TEST(OpenFontSet, NoImportTypeGivesAnEmptyFontSet) {
  ScriptedPrompt prompt;
  CDotforgeImportDoc doc;
  OpenFontSet(doc, ImportRequest{}, prompt);
  EXPECT_TRUE(doc.characters.empty());
  EXPECT_EQ(doc.selected, nullptr);
  EXPECT_EQ(doc.fontType, -1);
  EXPECT_EQ(doc.dataWordBits, 8);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_FALSE(doc.IsModified());
}

TEST(OpenFontSet, ReadsByTypeAndSelectsTheFirstCharacter) {
  test::TempDir dir;
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x41, 0x42}), dir / "A.DAT", prompt));
  ImportRequest request;
  request.importType = kFormatDat;
  request.fileName = dir / "A.DAT";
  CDotforgeImportDoc doc;
  OpenFontSet(doc, request, prompt);
  ASSERT_EQ(doc.characters.size(), 2u);
  EXPECT_EQ(doc.selected, doc.characters[0].get());
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_FALSE(doc.IsModified());
}

TEST(OpenFontSet, MissingFileOpensEmpty) {
  ScriptedPrompt prompt;
  for (const int type : {kFormatDat, kFormatDsb, kFormatDdb, kFormat1B26, kFormat1F26}) {
    ImportRequest request;
    request.importType = type;
    request.fileName = "/nonexistent/FONT";
    CDotforgeImportDoc doc;
    OpenFontSet(doc, request, prompt);
    EXPECT_TRUE(doc.characters.empty());
    EXPECT_EQ(doc.selected, nullptr);
  }
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>(5, msg::kUnableToReadFile));
}

TEST(OpenFontSet, OnlySt10BlocksUseSixteenBitWords) {
  ImportRequest request;
  request.width = 12;
  request.height = 1;
  request.wordBits = 16;
  request.glyphBlock = {2, {0xA0, 0xB0, 0xC0, 0xD0}};
  ScriptedPrompt prompt;
  for (const int type : {kFormatSt10, kFormatSt9, kFormatAsm, kFormatOutline}) {
    request.importType = type;
    CDotforgeImportDoc doc;
    OpenFontSet(doc, request, prompt);
    ASSERT_EQ(doc.characters.size(), 2u) << type;
    // 12 dots: 2 bytes per row either way; 16-bit words are read as rows of words.
    EXPECT_EQ(doc.characters[1]->bitmap, (Bytes{0xC0, 0xD0})) << type;
    EXPECT_EQ(doc.dataWordBits, 16);
  }
  request.width = 20;
  request.glyphBlock = {1, {1, 2, 3, 4}};
  request.importType = kFormatSt10;
  CDotforgeImportDoc st10;
  OpenFontSet(st10, request, prompt);
  EXPECT_EQ(st10.characters.at(0)->bitmap, (Bytes{1, 2, 3}));
  request.glyphBlock = {1, {1, 2, 3}};
  request.importType = kFormatSt9;
  CDotforgeImportDoc st9;
  OpenFontSet(st9, request, prompt);
  EXPECT_EQ(st9.characters.at(0)->bitmap, (Bytes{1, 2, 3}));
  EXPECT_TRUE(prompt.Entries().empty());
}

}  // namespace
}  // namespace dotforge
