#include <gtest/gtest.h>

#include <sys/stat.h>

#include "formats/commands/export_command.h"
#include "formats/formats_messages.h"
#include "framework/scripted_prompt.h"
#include "model/download_file.h"
#include "model/model_messages.h"
#include "model/open_font_set.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Entry = ScriptedPrompt::Entry;

class ExportCommandTest : public ::testing::Test {
 protected:
  ExportDialogAnswer Choose(const std::string& name, int format, int wordIndex = 0, int fontId = '0') const {
    return ExportDialogAnswer{(dir_ / name).string(), format + 1, wordIndex, fontId, {}, {}};
  }

  std::unique_ptr<CDotforgeImportDoc> Font(std::int32_t width, std::int32_t height,
                                           const std::vector<std::int32_t>& codes, std::int32_t type = 0) {
    auto doc = test::MakeFontSet(width, height, codes, type);
    doc->SetTitle("FONT.DAT");
    doc->name = "FONT.DAT";
    doc->SetModifiedFlag(true);
    return doc;
  }

  ExportOutcome Export(CDotforgeImportDoc& doc, std::optional<ExportDialogAnswer> answer) {
    prompt_.QueueExportDialog(std::move(answer));
    return exporter_.Run(doc, app_.importRequest, prompt_);
  }

  test::TempDir dir_;
  ScriptedPrompt prompt_;
  ExportCommand exporter_;
  AppValues app_;
};

TEST_F(ExportCommandTest, DialogShowsTheFontSet) {
  auto doc = Font(12, 24, {0x41});
  doc->dataWordBits = 16;
  doc->fontId = '2';
  EXPECT_EQ(Export(*doc, std::nullopt), ExportOutcome::Cancelled);
  ASSERT_EQ(prompt_.ExportRequests().size(), 1u);
  const ExportDialogRequest& request = prompt_.ExportRequests()[0];
  EXPECT_EQ(request.title, "Export Files ");
  EXPECT_EQ(request.typeList,
            "Files Data (*.DAT)|Files Single Byte Font (*.DSB)|Files Double Byte Font (*.DDB)|Files ST10 (*.C)|"
            "Files ST9 (*.ST9)|Files ASM (*.ASM)|Files 1B26 (*.1B)|Files 1F26 (*.1F)|"
            "Files BDF (*.BDF)|Files PSF2 (*.PSF)|Files Unifont hex (*.HEX)|Files GFX Font (*.H)|Files C Array (*.H)|"
            "All Files (*)");
  EXPECT_EQ(request.defaultFileName, "FONT.DAT");
  EXPECT_EQ(request.height, 24);
  EXPECT_EQ(request.baseline, 21);
  EXPECT_EQ(request.dataWordBits, 16);
  EXPECT_EQ(request.fontId, '2');
  // Cancel changes nothing else.
  EXPECT_EQ(doc->exportMemory.defaultName, "FONT.DAT");
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->dataWordBits, 16);
  EXPECT_EQ(app_.importRequest.importType, -1);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
}

TEST_F(ExportCommandTest, WrittenFileNamesTheFontSet) {
  auto doc = Font(8, 2, {0x41});
  doc->characters[0]->bitmap = {0x12, 0x34};
  EXPECT_EQ(Export(*doc, Choose("LOGO.C", kFormatSt10, 1)), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "LOGO.C");
  EXPECT_EQ(std::string(file.begin(), file.end()),
            "const unsigned int xhuge uiDataFont08x02[] = \n{\n\n\t// 0x0041:\n\t0x1200, 0x3400, \n\n}");
  EXPECT_EQ(doc->name, "LOGO.C");
  EXPECT_EQ(doc->GetTitle(), "LOGO.C");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->dataWordBits, 16);
  EXPECT_EQ(app_.importRequest.importType, kFormatSt10);
  EXPECT_EQ(doc->exportMemory.lastPath, (dir_ / "LOGO.C").string());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kExportTitle});
}

TEST_F(ExportCommandTest, RefusedNamesAndIdsAskAgain) {
  auto doc = Font(8, 8, {0x41});
  prompt_.QueueExportDialog(Choose("ABCDEFGHI.DSB", kFormatDsb));
  prompt_.QueueExportDialog(Choose("ABCDEFGH.DSB", kFormatDsb, 0, 53));
  prompt_.QueueExportDialog(Choose("ABCDEFGH.DSB", kFormatDsb, 0, '3'));
  EXPECT_EQ(exporter_.Run(*doc, app_.importRequest, prompt_), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kFileNameTooLong, msg::kExportTitle,
                                                       msg::kExportFontIdRange, msg::kExportTitle}));
  EXPECT_EQ(prompt_.Entries()[1].kind, MessageKind::Warning);
  EXPECT_EQ(doc->fontId, '3');
  EXPECT_EQ(test::ReadBytes(dir_ / "ABCDEFGH.DSB").at(10), '3');
}

TEST_F(ExportCommandTest, EscStreamRefusesTallFonts) {
  auto doc = Font(8, 25, {0x41});
  EXPECT_EQ(Export(*doc, Choose("TALL.1B", kFormat1B26, 1)), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kHeightAbove24}));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "TALL.1B"));
  // What the dialog chose is kept; the name and the modified mark are not touched.
  EXPECT_EQ(doc->dataWordBits, 16);
  EXPECT_EQ(app_.importRequest.importType, kFormat1B26);
  EXPECT_EQ(doc->GetTitle(), "FONT.DAT");
  EXPECT_TRUE(doc->IsModified());
  // The same font goes to a US & stream.
  EXPECT_EQ(Export(*doc, Choose("TALL.1F", kFormat1F26)), ExportOutcome::Written);
}

TEST_F(ExportCommandTest, MoreThan224Characters) {
  auto doc = Font(8, 8, test::CodeRange(0x20, 0x20 + 299), kDoubleByteFont);
  prompt_.QueueAnswers({Answer::Cancel});
  EXPECT_EQ(Export(*doc, Choose("BIG.DSB", kFormatDsb)), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Entries().back().text, msg::kOnlyFirst224);
  EXPECT_EQ(prompt_.Entries().back().buttons, Buttons::OkCancel);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "BIG.DSB"));
  EXPECT_EQ(doc->fontType, kSingleByteFont);  // set before the question
  EXPECT_EQ(doc->GetTitle(), "FONT.DAT");

  prompt_.QueueAnswers({Answer::Ok});
  EXPECT_EQ(Export(*doc, Choose("BIG.1F", kFormat1F26)), ExportOutcome::Written);
  // Only the first 224 characters: the codes 0x20..0xFF.
  EXPECT_EQ(test::ReadBytes(dir_ / "BIG.1F").size(), (0x100 - 0x20) * (6u + 8));
  EXPECT_EQ(doc->characterCount, 300);
  EXPECT_EQ(doc->characters.size(), 300u);

  // The other formats keep every character without asking.
  prompt_.Clear();
  EXPECT_EQ(Export(*doc, Choose("BIG.DDB", kFormatDdb)), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kExportTitle});
}

TEST_F(ExportCommandTest, StreamWarningOncePerRunAndFormat) {
  auto doc = Font(8, 8, {0x41, 0x8140}, kDoubleByteFont);
  EXPECT_EQ(Export(*doc, Choose("A.1B", kFormat1B26)), ExportOutcome::Written);
  EXPECT_EQ(Export(*doc, Choose("B.1B", kFormat1B26)), ExportOutcome::Written);
  EXPECT_EQ(Export(*doc, Choose("C.1F", kFormat1F26)), ExportOutcome::Written);
  EXPECT_EQ(Export(*doc, Choose("D.1F", kFormat1F26)), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kCodesAbove0xFF, msg::kExportTitle,
                                                       msg::kExportTitle, msg::kCodesAbove0xFF, msg::kExportTitle}));
  EXPECT_EQ(test::ReadBytes(dir_ / "B.1B").size(), 6u + 8 * 3);
}

TEST_F(ExportCommandTest, StreamsRefuseCellsTheirHeadersCannotHold) {
  auto doc = Font(300, 8, {0x41});
  EXPECT_EQ(Export(*doc, Choose("WIDE.1F", kFormat1F26)), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Texts().back(), msg::kStreamCellTooLarge);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "WIDE.1F"));
}

TEST_F(ExportCommandTest, DsbOfADoubleByteIdAsksForASingleByteId) {
  auto doc = Font(8, 8, {0x41}, kDoubleByteFont);
  // Cancel keeps '4', and the file holds it.
  EXPECT_EQ(Export(*doc, Choose("KANJI.DSB", kFormatDsb, 0, '4')), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, "Font Properties"}));
  ASSERT_EQ(prompt_.OpenedFontProperties().size(), 1u);
  const FontPropertiesFields& shown = prompt_.OpenedFontProperties()[0];
  EXPECT_EQ(shown.fontType, "Single Byte");
  EXPECT_EQ(shown.fontId, "52");
  EXPECT_TRUE(shown.fontIdEnabled);
  EXPECT_EQ(shown.width, 8);
  EXPECT_EQ(shown.characterCount, 1);
  EXPECT_EQ(test::ReadBytes(dir_ / "KANJI.DSB").at(10), '4');
  EXPECT_EQ(doc->fontId, '4');
  EXPECT_EQ(doc->fontType, kSingleByteFont);

  // OK takes the dialog's id; a double-byte id is refused there.
  prompt_.Clear();
  prompt_.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{std::nullopt, std::nullopt, "52"});
  prompt_.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{std::nullopt, std::nullopt, "49"});
  EXPECT_EQ(Export(*doc, Choose("KANJI.DSB", kFormatDsb, 0, '4')), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, "Font Properties",
                                                       msg::kFontIdRange}));
  EXPECT_EQ(test::ReadBytes(dir_ / "KANJI.DSB").at(10), '1');
  EXPECT_EQ(doc->fontId, '1');
}

TEST_F(ExportCommandTest, DdbTakesTheDoubleByteId) {
  auto doc = Font(8, 8, {0x41});
  doc->fontId = '2';
  EXPECT_EQ(Export(*doc, Choose("KANJI.DDB", kFormatDdb, 0, '4')), ExportOutcome::Written);
  EXPECT_EQ(doc->fontType, kDoubleByteFont);
  EXPECT_EQ(doc->fontId, '4');
}

TEST_F(ExportCommandTest, UnwritableFileChangesNothingMore) {
  auto doc = Font(8, 8, {0x41}, kDoubleByteFont);
  prompt_.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{std::nullopt, std::nullopt, "50"});
  const ExportDialogAnswer answer{(dir_ / "missing" / "X.DSB").string(), kFormatDsb + 1, 0, '4', {}, {}};
  EXPECT_EQ(Export(*doc, answer), ExportOutcome::Stopped);
  // The id question comes only once the file has been created.
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kUnableToOpenFile}));
  EXPECT_TRUE(prompt_.OpenedFontProperties().empty());
  EXPECT_EQ(doc->fontId, '4');
  EXPECT_EQ(doc->GetTitle(), "FONT.DAT");
  EXPECT_TRUE(doc->IsModified());

  for (const int format : {kFormatSt10, kFormatSt9, kFormatAsm, kFormat1B26}) {
    prompt_.Clear();
    const ExportDialogAnswer text{(dir_ / "missing" / "X").string(), format + 1, 0, '0', {}, {}};
    EXPECT_EQ(Export(*doc, text), ExportOutcome::Stopped);
    EXPECT_EQ(prompt_.Texts().back(), msg::kUnableToOpenFile);
  }
}

TEST_F(ExportCommandTest, ExportReplacesAnExistingFile) {
  test::WriteBytes(dir_ / "OLD.ASM", Bytes(1000, 'x'));
  auto doc = Font(8, 1, {0x41});
  doc->characters[0]->bitmap = {0xAB};
  EXPECT_EQ(Export(*doc, Choose("OLD.ASM", kFormatAsm)), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "OLD.ASM");
  EXPECT_EQ(std::string(file.begin(), file.end()), "\n\t; 0x0041:\n\t.byte\t0ABH\n\n");
}

TEST_F(ExportCommandTest, CloseCheck) {
  auto clean = Font(8, 8, {0x41});
  clean->SetModifiedFlag(false);
  EXPECT_TRUE(CanCloseFontSet(*clean, app_, exporter_, prompt_));
  EXPECT_TRUE(prompt_.Entries().empty());

  auto doc = Font(8, 8, {0x41});
  prompt_.QueueAnswers({Answer::Cancel});
  EXPECT_FALSE(CanCloseFontSet(*doc, app_, exporter_, prompt_));
  EXPECT_EQ(prompt_.Entries().back().text, "Save changes to FONT.DAT?");
  EXPECT_EQ(prompt_.Entries().back().buttons, Buttons::YesNoCancel);

  // Yes with a cancelled export dialog keeps the changes open rather than losing them.
  prompt_.QueueAnswers({Answer::Yes});
  EXPECT_FALSE(CanCloseFontSet(*doc, app_, exporter_, prompt_));

  prompt_.QueueAnswers({Answer::Yes});
  prompt_.QueueExportDialog(Choose("SAVED.DAT", kFormatDat));
  EXPECT_TRUE(CanCloseFontSet(*doc, app_, exporter_, prompt_));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "SAVED.DAT"));

  doc->SetModifiedFlag(true);
  prompt_.QueueAnswers({Answer::No});
  EXPECT_TRUE(CanCloseFontSet(*doc, app_, exporter_, prompt_));
}

// Save onto a read-only file: refused before anything is asked, the file and the
// font set stay as they were; once the file may be written the same save works.
TEST_F(ExportCommandTest, ReadOnlyTargetIsRefusedThenSavedOnceWritable) {
  auto doc = Font(8, 2, {0x41, 0x42}, kDoubleByteFont);
  const auto path = dir_ / "LOGO.DSB";
  test::WriteBytes(path, Bytes{1, 2, 3});
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  prompt_.QueueFontProperties(ScriptedPrompt::FontPropertiesEdit{std::nullopt, std::nullopt, "50"});
  EXPECT_EQ(Export(*doc, Choose("LOGO.DSB", kFormatDsb, 0, '4')), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kUnableToOpenFile}));
  EXPECT_EQ(test::ReadBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(doc->GetTitle(), "FONT.DAT");
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->fontId, '4');

  // Every format refuses it alike.
  for (const int format : {kFormatDat, kFormatDdb, kFormatSt10, kFormatSt9, kFormatAsm, kFormat1F26}) {
    prompt_.Clear();
    EXPECT_EQ(Export(*doc, Choose("LOGO.DSB", format)), ExportOutcome::Stopped) << format;
    EXPECT_EQ(prompt_.Texts().back(), msg::kUnableToOpenFile) << format;
    EXPECT_EQ(test::ReadBytes(path), (Bytes{1, 2, 3})) << format;
  }

  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  prompt_.Clear();
  doc->fontId = '4';
  EXPECT_EQ(Export(*doc, Choose("LOGO.DSB", kFormatDsb, 0, '4')), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, "Font Properties"}));
  EXPECT_EQ(test::ReadBytes(path).size(), 13u + 224 * 2);
  EXPECT_EQ(test::ReadBytes(path).at(10), '2');
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u) << "the saved file keeps its mode";
  EXPECT_EQ(doc->GetTitle(), "LOGO.DSB");
}

// Save through a symbolic link, edit, save again: the link stays a link and the
// file it points to holds the last save.
TEST_F(ExportCommandTest, SavesThroughASymbolicLinkReplaceItsTarget) {
  std::filesystem::create_directory(dir_ / "shared");
  const auto target = dir_ / "shared" / "FONT.DAT";
  test::WriteBytes(target, Bytes{0});
  std::filesystem::create_symlink("shared/FONT.DAT", dir_ / "LINK.DAT");
  auto doc = Font(8, 1, {0x41, 0x42});
  EXPECT_EQ(Export(*doc, Choose("LINK.DAT", kFormatDat)), ExportOutcome::Written);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "LINK.DAT"));
  EXPECT_EQ(test::ReadBytes(target).size(), 1024u + 2);
  EXPECT_EQ(doc->GetTitle(), "LINK.DAT");

  doc->characters[0]->bitmap = {0xAA};
  doc->SetModifiedFlag(true);
  EXPECT_EQ(Export(*doc, Choose("LINK.DAT", kFormatDat)), ExportOutcome::Written);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "LINK.DAT"));
  EXPECT_EQ(test::ReadBytes(target).at(1024), 0xAA);
  EXPECT_FALSE(doc->IsModified());

  // Saved under another name, the link and its target are left alone.
  EXPECT_EQ(Export(*doc, Choose("COPY.DAT", kFormatDat)), ExportOutcome::Written);
  EXPECT_FALSE(std::filesystem::is_symlink(dir_ / "COPY.DAT"));
  EXPECT_EQ(test::ReadBytes(dir_ / "COPY.DAT"), test::ReadBytes(target));
}

// A stream file holds its blocks in file order; its DSB keeps every character.
TEST_F(ExportCommandTest, StreamInFileOrderSavesEveryCharacterToDsb) {
  Bytes stream;
  for (const std::uint8_t code : {0x42, 0x41}) {
    const Bytes header{0x1B, '&', 3, code, code, 8};
    stream.insert(stream.end(), header.begin(), header.end());
    for (int column = 0; column < 8; ++column) {
      const Bytes bytes{static_cast<std::uint8_t>(code), 0, static_cast<std::uint8_t>(column)};
      stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
  }
  test::WriteBytes(dir_ / "AB.1B", stream);
  app_.importRequest.importType = kFormat1B26;
  app_.importRequest.fileName = dir_ / "AB.1B";
  auto doc = std::make_unique<CDotforgeImportDoc>();
  OpenFontSet(*doc, app_.importRequest, prompt_);
  doc->SetTitle("AB.1B");
  ASSERT_EQ(doc->codes, (std::vector<std::int32_t>{0x42, 0x41}));

  EXPECT_EQ(Export(*doc, Choose("AB.DSB", kFormatDsb)), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kExportTitle});
  CDotforgeImportDoc back;
  ReadDsbFile(back, test::ReadBytes(dir_ / "AB.DSB"), prompt_);
  ASSERT_EQ(back.characters.size(), 224u);
  EXPECT_EQ(back.characters[0x41 - 0x20]->bitmap, doc->characters[1]->bitmap);
  EXPECT_EQ(back.characters[0x42 - 0x20]->bitmap, doc->characters[0]->bitmap);
  EXPECT_NE(back.characters[0x41 - 0x20]->bitmap, Bytes(24, 0));
}

// Codes above 0xFFFF are refused by every writer that stores a code, rather
// than cut to 16 bits; the streams skip them as they skip every code above 0xFF.
TEST_F(ExportCommandTest, CodesAbove0xFFFFAreRefusedNotCut) {
  auto doc = Font(8, 1, {0xFFFF, 0x10000, 0x10041}, kDoubleByteFont);
  const std::string refusal = std::string(msg::kCodeAbove0xFFFF) + "10000";
  for (const auto& [name, format] : std::vector<std::pair<std::string, int>>{
           {"W.DAT", kFormatDat}, {"W.DDB", kFormatDdb}, {"W.C", kFormatSt10}, {"W.ASM", kFormatAsm}}) {
    prompt_.Clear();
    EXPECT_EQ(Export(*doc, Choose(name, format)), ExportOutcome::Stopped) << name;
    EXPECT_EQ(prompt_.Texts().back(), refusal) << name;
    EXPECT_FALSE(std::filesystem::exists(dir_ / name)) << name;
  }
  prompt_.Clear();
  EXPECT_EQ(Export(*doc, Choose("W.1F", kFormat1F26)), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts().back(), msg::kCodesAbove0xFF);
  EXPECT_TRUE(test::ReadBytes(dir_ / "W.1F").empty()) << "0x10041 is not written as 0x41";
  EXPECT_FALSE(doc->IsModified());
}

// A wildcard name (the pattern a type change puts in the name box) is never a
// file to write.
TEST_F(ExportCommandTest, WildcardNameIsRefusedAndAskedAgain) {
  auto doc = Font(8, 1, {0x41});
  prompt_.QueueExportDialog(Choose("*.DDB", kFormatDdb));
  prompt_.QueueExportDialog(Choose("F?.DAT", kFormatDat));
  prompt_.QueueExportDialog(std::nullopt);
  EXPECT_EQ(exporter_.Run(*doc, app_.importRequest, prompt_), ExportOutcome::Cancelled);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kExportTitle, msg::kWildcardInFileName, msg::kExportTitle,
                                                       msg::kWildcardInFileName, msg::kExportTitle}));
  EXPECT_EQ(prompt_.Entries()[1].kind, MessageKind::Warning);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
  EXPECT_TRUE(doc->IsModified());
}

}  // namespace
}  // namespace dotforge
