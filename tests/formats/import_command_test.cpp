#include <gtest/gtest.h>

#include "formats/source/assembler_writers.h"
#include "formats/bitmap/bitmap_font_import.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "formats/commands/import_command.h"
#include "formats/source/st10_writer.h"
#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/native_file.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class ImportCommandTest : public ::testing::Test {
 protected:
  ImportDialogAnswer Choose(const std::string& name, int format, int width = 0, int height = 0, int wordIndex = 0,
                            BitmapDialogOptions bitmap = {}) const {
    return ImportDialogAnswer{(dir_ / name).string(), format + 1, width, height, wordIndex, name, std::move(bitmap)};
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
            "Files ST9 (*.ST9)|Files ASM (*.ASM)|Files 1B26 (*.1B)|Files 1F26 (*.1F)|Files TrueType (*.TTF *.OTF *.TTC)|"
            "Files BDF (*.BDF)|Files PCF (*.PCF)|Files PSF (*.PSF)|Files Unifont Hex (*.HEX)|Files C Array (*.H)|"
            "All Files (*)");
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
  ASSERT_TRUE(Import(Choose("small.hex", kFormatHex, 8, 16, 0, {std::nullopt, "", "", kFontTypeSingleIndex})));
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


const std::filesystem::path kTerminusPsf = "/usr/share/consolefonts/Lat15-Terminus24x12.psf.gz";
const std::filesystem::path kFixedPcf = "/usr/share/fonts/X11/misc/12x24.pcf.gz";

const CharacterRecord* CharacterOf(const CDotforgeImportDoc& doc, std::int32_t code) {
  for (std::size_t i = 0; i < doc.codes.size(); ++i) {
    if (doc.codes[i] == code) return doc.characters[i].get();
  }
  return nullptr;
}

bool HasDotsFromColumn(const CharacterRecord& record, std::int32_t column) {
  for (std::int32_t y = 0; y < record.height; ++y) {
    for (std::int32_t x = column; x < record.width; ++x) {
      if (record.Pixel(x, y)) return true;
    }
  }
  return false;
}

// A real console font opened as the Open dialog's user does: first as it is, then
// re-encoded into CP437, with a code subset and a narrower cell. A wrong subset
// keeps the dialog open with its message; the next dialog offers the last options
// and the typed cell, not the font's own size.
TEST_F(ImportCommandTest, ConsoleFontReencodedSubsetIntoASmallerCell) {
  if (!std::filesystem::exists(kTerminusPsf)) GTEST_SKIP() << "console-setup-linux is not installed";
  const std::filesystem::path file = kTerminusPsf;
  const auto choose = [&](int width, BitmapDialogOptions bitmap) {
    return ImportDialogAnswer{file.string(), kFormatPsf + 1, width, 0, 0, "*.PSF", std::move(bitmap)};
  };
  prompt_.QueueImportDialog(choose(0, {}));
  ASSERT_TRUE(command_.Run(app_, prompt_, [](const std::string&) { return false; }));
  const auto whole = OpenImportedFontSet(app_, prompt_);
  ASSERT_EQ(whole->width, 12);
  ASSERT_EQ(whole->height, 24);
  const CharacterRecord* eAcute = CharacterOf(*whole, 0xE9);
  ASSERT_NE(eAcute, nullptr);
  EXPECT_TRUE(eAcute->Pixel(5, 6) || eAcute->Pixel(6, 6) || eAcute->Pixel(7, 6)) << "the accent's dots";
  std::int32_t wide = 0;
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (const char letter : letters) {
    const CharacterRecord* record = CharacterOf(*whole, letter);
    ASSERT_NE(record, nullptr) << letter;
    if (HasDotsFromColumn(*record, 8)) ++wide;
  }
  if (HasDotsFromColumn(*eAcute, 8)) ++wide;
  ASSERT_GT(wide, 0) << "some of these glyphs reach beyond 8 columns";

  prompt_.QueueImportDialog(choose(8, {std::nullopt, "CP437", "41-5A,8G", 0}));
  prompt_.QueueImportDialog(choose(8, {std::nullopt, "CP437", "41-5A,82", 0}));
  ASSERT_TRUE(command_.Run(app_, prompt_, [](const std::string&) { return false; }));
  const auto cp437 = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{"Import Files ", "Import Files ", msg::kCodesSyntax,
                                                       "Import Files "}));
  EXPECT_EQ(cp437->width, 8);
  EXPECT_EQ(cp437->height, 24);
  EXPECT_EQ(cp437->fontType, kSingleByteFont);
  std::vector<std::int32_t> codes;
  for (const char letter : letters) codes.push_back(letter);
  codes.push_back(0x82);
  EXPECT_EQ(cp437->codes, codes);
  // 'é' sits at CP437's 0x82 with the left 8 columns of its glyph.
  const CharacterRecord* atCp437 = CharacterOf(*cp437, 0x82);
  ASSERT_NE(atCp437, nullptr);
  for (std::int32_t y = 0; y < 24; ++y) {
    for (std::int32_t x = 0; x < 8; ++x) EXPECT_EQ(atCp437->Pixel(x, y), eAcute->Pixel(x, y)) << x << "," << y;
  }
  const BitmapImportCounts& counts = app_.importRequest.bitmapCounts;
  EXPECT_EQ(counts.kept, 27);
  EXPECT_EQ(counts.cut, wide);
  EXPECT_GT(counts.notEncodable, 0) << "Lat15 has letters CP437 lacks";
  EXPECT_GT(counts.outsideCodes, 0);
  EXPECT_EQ(BitmapImportSummary(counts).find("27 characters kept, "), 0u);
  EXPECT_NE(BitmapImportSummary(counts).find(std::to_string(wide) + " cut at the cell's edges"), std::string::npos);

  // The next dialog offers these options and the typed cell (8, and 0 for the font's height).
  EXPECT_FALSE(Import(std::nullopt));
  const ImportDialogRequest& next = prompt_.ImportRequests().back();
  EXPECT_EQ(next.width, 8);
  EXPECT_EQ(next.height, 0);
  EXPECT_EQ(next.bitmap.encoding, "CP437");
  EXPECT_EQ(next.bitmap.codes, "41-5A,82");
  EXPECT_EQ(app_.importRequest.width, 8) << "a cancelled dialog leaves the last import as it was";
}

const std::filesystem::path kUnifontHex = "/usr/share/unifont/unifont.hex";

// Unifont re-encoded into Shift_JIS with a subset of its first double-byte row:
// the automatic font type becomes double-byte, U+3000 sits at 0x8140.
TEST_F(ImportCommandTest, UnifontIntoShiftJisRowIsDoubleByte) {
  if (!std::filesystem::exists(kUnifontHex)) GTEST_SKIP() << "unifont is not installed";
  prompt_.QueueImportDialog(ImportDialogAnswer{kUnifontHex.string(), kFormatHex + 1, 0, 0, 0, "*.HEX",
                                               BitmapDialogOptions{std::nullopt, "SHIFT_JIS", "41,8140-81FF", 0}});
  ASSERT_TRUE(command_.Run(app_, prompt_, [](const std::string&) { return false; }));
  const auto doc = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(doc->fontType, kDoubleByteFont);
  EXPECT_EQ(doc->width, 16);
  EXPECT_EQ(doc->codes.front(), 0x41);
  EXPECT_EQ(doc->codes[1], 0x8140);
  EXPECT_LE(doc->codes.back(), 0x81FF);
  const CharacterRecord* space = CharacterOf(*doc, 0x8140);
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->bitmap, Bytes(space->bitmap.size(), 0)) << "the ideographic space is blank";
  EXPECT_GT(app_.importRequest.bitmapCounts.notEncodable, 0);
  EXPECT_EQ(app_.importRequest.bitmapCounts.cut, 0);
}

// A code page iconv does not know is reported by the import, and nothing opens;
// then a subset of the X11 font, forced into a double-byte set.
TEST_F(ImportCommandTest, X11FontWithUnknownCodePageThenSubsetAsDoubleByte) {
  if (!std::filesystem::exists(kFixedPcf)) GTEST_SKIP() << "xfonts-base is not installed";
  const auto choose = [](BitmapDialogOptions bitmap) {
    return ImportDialogAnswer{kFixedPcf.string(), kFormatPcf + 1, 0, 0, 0, "*.PCF", std::move(bitmap)};
  };
  EXPECT_FALSE(Import(choose({std::nullopt, "CP9999", "", 0})));
  EXPECT_EQ(prompt_.Texts().back(), std::string(msg::kUnknownCodePage) + "CP9999");

  ASSERT_TRUE(Import(choose({20, "", "41-5A", kFontTypeDoubleIndex})));
  const auto doc = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(doc->fontType, kDoubleByteFont);
  EXPECT_EQ(doc->width, 12);
  EXPECT_EQ(doc->height, 24);
  ASSERT_EQ(doc->codes.size(), 26u);
  EXPECT_EQ(doc->codes.front(), 0x41);
  EXPECT_EQ(doc->codes.back(), 0x5A);
  EXPECT_GT(app_.importRequest.bitmapCounts.outsideCodes, 0);
  EXPECT_EQ(app_.importRequest.bitmapOptions.baseline, 20);
}

}  // namespace
}  // namespace dotforge
