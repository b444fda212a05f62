#include <gtest/gtest.h>

#include "formats/assembler_writers.h"
#include "formats/formats_messages.h"
#include "formats/import_command.h"
#include "formats/st10_writer.h"
#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/native_file.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class ImportCommandTest : public ::testing::Test {
 protected:
  ImportDialogAnswer Choose(const std::string& name, int format, int width = 0, int height = 0,
                            int wordIndex = 0) const {
    return ImportDialogAnswer{(dir_ / name).string(), format + 1, width, height, wordIndex, name};
  }

  bool Import(std::optional<ImportDialogAnswer> answer, const std::string& openPath = "") {
    prompt_.QueueImportDialog(std::move(answer));
    return command_.Run(app_, prompt_, [&](const std::string& path) { return path == openPath; });
  }

  void WriteText(const std::string& name, const Bytes& text) const { test::WriteBytes(dir_ / name, text); }

  test::TempDir dir_;
  ScriptedPrompt prompt_;
  AppValues app_;
  ImportCommand command_{"/fonts/LAST.DAT"};
};

TEST_F(ImportCommandTest, DialogShowsTheKeptSettings) {
  app_.importRequest.width = 12;
  app_.importRequest.height = 24;
  app_.importRequest.wordBits = 16;
  EXPECT_FALSE(Import(std::nullopt));
  ASSERT_EQ(prompt_.ImportRequests().size(), 1u);
  const ImportDialogRequest& shown = prompt_.ImportRequests()[0];
  EXPECT_EQ(shown.title, "Import Files ");
  EXPECT_EQ(shown.typeList,
            "Files Data (*.DAT)|Files Single Byte Font (*.DSB)|Files Double Byte Font (*.DDB)|Files ST10 (*.C)|"
            "Files ST9 (*.ST9)|Files ASM (*.ASM)|Files 1B26 (*.1B)|Files 1F26 (*.1F)|Files TrueType (*.TTF)|"
            "Files BDF (*.BDF)|Files PCF (*.PCF)|Files PSF (*.PSF)|Files Unifont Hex (*.HEX)");
  EXPECT_EQ(shown.initialFolder, "/fonts/LAST.DAT");
  EXPECT_EQ(shown.defaultFileName, "");
  EXPECT_EQ(shown.width, 12);
  EXPECT_EQ(shown.height, 24);
  EXPECT_EQ(shown.dataWordBits, 16);
  // Cancel keeps everything.
  EXPECT_EQ(app_.importRequest.importType, -1);
  EXPECT_EQ(command_.Settings().dialogType, -1);
}

TEST_F(ImportCommandTest, FileFormatsOpenTheFileItself) {
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x41, 0x42}), dir_ / "FONT.DAT", prompt_));
  ImportDialogAnswer answer = Choose("FONT.DAT", kFormatDat);
  answer.fileNameText = "*.DAT";
  ASSERT_TRUE(Import(answer));
  EXPECT_EQ(app_.importRequest.importType, kFormatDat);
  EXPECT_EQ(command_.Settings().lastFileName, "FONT.DAT");
  EXPECT_EQ(command_.Settings().importPath, dir_.Path().string());
  EXPECT_EQ(command_.Settings().defaultFileName, "*.DAT");
  EXPECT_EQ(command_.Settings().dialogType, kFormatDat);

  const auto doc = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(doc->GetTitle(), "FONT.DAT");
  EXPECT_EQ(doc->GetPathName(), (dir_ / "FONT.DAT").string());
  EXPECT_EQ(doc->characters.size(), 2u);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kImportTitle});

  // The next dialog offers what this one ended with.
  EXPECT_FALSE(Import(std::nullopt));
  EXPECT_EQ(prompt_.ImportRequests().back().defaultFileName, "*.DAT");
  EXPECT_EQ(prompt_.ImportRequests().back().initialFolder, dir_.Path().string());
}

TEST_F(ImportCommandTest, AlreadyOpenFileIsRefused) {
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x41}), dir_ / "FONT.DAT", prompt_));
  prompt_.Clear();
  EXPECT_FALSE(Import(Choose("FONT.DAT", kFormatDat), (dir_ / "FONT.DAT").string()));
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kImportTitle, "FONT.DAT is already opened"}));
  // The settings of the dialog are kept all the same.
  EXPECT_EQ(command_.Settings().lastFileName, "FONT.DAT");
  EXPECT_EQ(app_.importRequest.importType, -1);
}

TEST_F(ImportCommandTest, St10WithSixteenBitWords) {
  const auto source = test::MakeFontSet(20, 3, {0x20, 0x21});
  WriteText("FONT.C", EncodeSt10File(*source, 16));
  ASSERT_TRUE(Import(Choose("FONT.C", kFormatSt10, 20, 3, 1)));
  EXPECT_EQ(app_.importRequest.wordBits, 16);
  EXPECT_EQ(app_.importRequest.glyphBlock.characterCount, 2);
  const auto doc = OpenImportedFontSet(app_, prompt_);
  ASSERT_EQ(doc->characters.size(), 2u);
  EXPECT_EQ(doc->characters[1]->bitmap, source->characters[1]->bitmap);
  EXPECT_EQ(doc->dataWordBits, 16);

  // An ST9 import afterwards keeps the word width setting but reads 8-bit data.
  const auto st9 = test::MakeFontSet(12, 2, {0x20, 0x21, 0x22});
  WriteText("FONT.ST9", EncodeSt9File(*st9));
  ASSERT_TRUE(Import(Choose("FONT.ST9", kFormatSt9, 12, 2)));
  EXPECT_EQ(app_.importRequest.wordBits, 16);
  const auto assembler = OpenImportedFontSet(app_, prompt_);
  ASSERT_EQ(assembler->characters.size(), 3u);
  EXPECT_EQ(assembler->characters[2]->bitmap, st9->characters[2]->bitmap);
}

TEST_F(ImportCommandTest, SourceProblemsAreReported) {
  const std::vector<std::pair<std::string, const char*>> cases = {
      {"0x01, 0x02", msg::kOpeningBracketMissing},
      {"{0x01, 0x02", msg::kClosingBracketMissing},
      {"{0x0102}", msg::kDataError},
      {"{0x01, 0x02, 0x03}", msg::kSizeMismatch},
      {"{0x01 /* 0x02 }", msg::kUnterminatedComment},
  };
  for (const auto& [text, message] : cases) {
    WriteText("BAD.C", Bytes(text.begin(), text.end()));
    prompt_.Clear();
    EXPECT_FALSE(Import(Choose("BAD.C", kFormatSt10, 8, 2)));
    EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kImportTitle, message})) << text;
  }
  prompt_.Clear();
  EXPECT_FALSE(Import(Choose("NONE.C", kFormatSt10, 8, 2)));
  EXPECT_EQ(prompt_.Texts().back(), msg::kUnableToOpenFile);

  const std::string asmText = "\t.byte\t1, 2, 3\n";
  WriteText("BAD.ASM", Bytes(asmText.begin(), asmText.end()));
  prompt_.Clear();
  EXPECT_FALSE(Import(Choose("BAD.ASM", kFormatAsm, 8, 2)));
  EXPECT_EQ(prompt_.Texts().back(), msg::kSizeMismatch);
  // Settings stay changed after every failure.
  EXPECT_EQ(command_.Settings().lastFileName, "BAD.ASM");
  EXPECT_EQ(app_.importRequest.width, 8);
}

TEST_F(ImportCommandTest, CellSizeChecks) {
  // The source formats refuse 0 in the dialog, which stays open.
  prompt_.QueueImportDialog(Choose("FONT.C", kFormatSt10, 0, 24));
  prompt_.QueueImportDialog(Choose("FONT.C", kFormatSt10, 12, 256));
  prompt_.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(command_.Run(app_, prompt_, [](const std::string&) { return false; }));
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kImportTitle, msg::kWidthAndHeightZero,
                                                       msg::kImportTitle, msg::kCellSizeAbove255,
                                                       msg::kImportTitle}));
  EXPECT_EQ(prompt_.Entries()[1].kind, MessageKind::Warning);

  // An outline font with height 0 passes the dialog and is refused by the command.
  prompt_.Clear();
  EXPECT_FALSE(Import(Choose("FONT.TTF", kFormatOutline, 12, 0)));
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kImportTitle, msg::kWidthAndHeightZero}));
  EXPECT_EQ(prompt_.Entries()[1].kind, MessageKind::Warning);
  EXPECT_EQ(app_.importRequest.importType, kFormatOutline);
}

TEST_F(ImportCommandTest, OutlineFontsSkipTheAlreadyOpenTest) {
  const std::string path = (dir_ / "NOTAFONT.TTF").string();
  WriteText("NOTAFONT.TTF", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
  EXPECT_FALSE(Import(Choose("NOTAFONT.TTF", kFormatOutline, 12, 24), path));
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kImportTitle, msg::kFontFormatNotSupported}));
}

// An "Import Path" kept by an earlier run may name the last file rather than its
// folder: the dialog opens in that folder, and what is kept from now on is a folder.
TEST_F(ImportCommandTest, StoredPathNamingAFileOpensItsFolder) {
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x41}), dir_ / "FONT.DAT", prompt_));
  ImportCommand command((dir_ / "FONT.DAT").string());
  prompt_.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(command.Run(app_, prompt_, [](const std::string&) { return false; }));
  EXPECT_EQ(prompt_.ImportRequests().back().initialFolder, dir_.Path().string());
  EXPECT_EQ(command.Settings().importPath, dir_.Path().string());

  // A folder stays as it is.
  ImportCommand fromFolder(dir_.Path().string());
  EXPECT_EQ(fromFolder.Settings().importPath, dir_.Path().string());

  // After an import the folder of the file is kept, for the next dialog and the next run.
  std::filesystem::create_directory(dir_ / "sub");
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x42}), dir_ / "sub" / "B.DAT", prompt_));
  prompt_.QueueImportDialog(Choose("sub/B.DAT", kFormatDat));
  ASSERT_TRUE(command.Run(app_, prompt_, [](const std::string&) { return false; }));
  EXPECT_EQ(command.Settings().importPath, (dir_ / "sub").string());
  prompt_.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(command.Run(app_, prompt_, [](const std::string&) { return false; }));
  EXPECT_EQ(prompt_.ImportRequests().back().initialFolder, (dir_ / "sub").string());
}

}  // namespace
}  // namespace dotforge

namespace dotforge {
namespace {

// A bitmap font opened through the Open command: its own cell size when the
// dialog leaves 0, its codes kept, and a second import with another cell.
TEST_F(ImportCommandTest, BitmapFontOpensWithItsCodesAndCell) {
  const std::string hex =
      "0041:0000000018242442427E424242420000\n"
      "00E9:00000C3000003C42427E4040423C0000\n"
      "3042:00000400020002C01F000480048007E00D101508220826082A10106000000000\n";
  WriteText("small.hex", Bytes(hex.begin(), hex.end()));
  ASSERT_TRUE(Import(Choose("small.hex", kFormatHex, 0, 0)));
  const auto doc = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(doc->width, 16);
  EXPECT_EQ(doc->height, 16);
  EXPECT_EQ(doc->fontType, kDoubleByteFont);
  EXPECT_EQ(doc->codes, (std::vector<std::int32_t>{0x41, 0xE9, 0x3042}));
  EXPECT_EQ(doc->characters[0]->label, "0041");
  EXPECT_EQ(doc->characters[0]->bitmap[14], 0x42);  // row 7, then the blank right half
  EXPECT_EQ(doc->characters[0]->bitmap[15], 0x00);
  EXPECT_EQ(app_.importRequest.bitmapCounts.kept, 3);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{"Import Files "});  // the dialog, no message

  // The same file again, 8 dots wide and single-byte: the wide glyph is cut.
  app_.importRequest.bitmapOptions.fontType = kSingleByteFont;
  ASSERT_TRUE(Import(Choose("small.hex", kFormatHex, 8, 16)));
  const auto narrow = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(narrow->width, 8);
  EXPECT_EQ(narrow->fontType, kSingleByteFont);
  EXPECT_EQ(narrow->codes, (std::vector<std::int32_t>{0x41, 0xE9}));
  EXPECT_EQ(app_.importRequest.bitmapCounts.outsideType, 1);
  EXPECT_EQ(narrow->characters[1]->bitmap, (Bytes{0x00, 0x00, 0x0C, 0x30, 0x00, 0x00, 0x3C, 0x42, 0x42, 0x7E, 0x40,
                                                  0x40, 0x42, 0x3C, 0x00, 0x00}));

  // A damaged file reports and opens nothing.
  WriteText("bad.psf", Bytes{0x72, 0xB5, 0x4A, 0x86, 1});
  EXPECT_FALSE(Import(Choose("bad.psf", kFormatPsf)));
  EXPECT_EQ(prompt_.Texts().back(), msg::kPsfHeaderDamaged);
}

}  // namespace
}  // namespace dotforge
