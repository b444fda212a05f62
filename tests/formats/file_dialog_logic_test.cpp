#include <gtest/gtest.h>

#include "formats/codepages/code_page_encoder.h"
#include "formats/commands/export_command.h"
#include "formats/commands/file_dialog_logic.h"
#include "model/side_format.h"
#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "formats/commands/import_command.h"
#include "model/font_set.h"

namespace dotforge {
namespace {

TEST(FileDialogLogic, TypeListEntries) {
  const std::vector<FileTypeEntry> types = ParseTypeList(ImportTypeList());
  ASSERT_EQ(types.size(), 15u);
  EXPECT_EQ(types[3].text, "Files ST10 (*.C)");
  EXPECT_EQ(types[3].pattern, "*.C");
  EXPECT_EQ(types[3].extension, ".C");
  EXPECT_EQ(types[8].extension, ".TTF");
  // The bitmap font types follow in their SideFormat places.
  EXPECT_EQ(types[kFormatBdf].extension, ".BDF");
  EXPECT_EQ(types[kFormatHex].text, "Files Unifont Hex (*.HEX)");

  std::string many;
  for (int i = 0; i < 25; ++i) many += (i ? "|" : "") + std::string("T (*.X") + std::to_string(i) + ")";
  EXPECT_EQ(ParseTypeList(many).size(), kMaxFileTypes);
  const std::vector<FileTypeEntry> odd = ParseTypeList("No pattern|Open (*.Z");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].extension, "");
  EXPECT_EQ(odd[1].pattern, "*.Z");
}

TEST(FileDialogLogic, InitialTypeFromTheDefaultName) {
  const std::vector<FileTypeEntry> types = ParseTypeList(ExportTypeList());
  EXPECT_EQ(InitialFileType("FONT.C", types), 4);
  EXPECT_EQ(InitialFileType("LOGO.DSB", types), 2);
  EXPECT_EQ(InitialFileType("LOGO.dsb", types), 1);  // exact case only
  EXPECT_EQ(InitialFileType("LOGO", types), 1);
  EXPECT_EQ(InitialFileType("A.B.DSB", types), 1);  // from the first '.'
}

TEST(FileDialogLogic, ExportDialogState) {
  ExportFileDialogState font(ExportTypeList(), "FONT.C", 16, '2');
  EXPECT_EQ(font.Type(), 4);
  EXPECT_TRUE(font.Controls().dataFormat);
  EXPECT_FALSE(font.Controls().fontId);
  EXPECT_EQ(font.DataWordIndex(), 1);
  EXPECT_EQ(font.FontId(), '2');
  EXPECT_EQ(font.FileBuffer(), "FONT.C");
  EXPECT_EQ(font.FileNameText(), "");

  // A font set made by New Font has no word width yet: 8 bits is offered.
  ExportFileDialogState fresh(ExportTypeList(), "", 0, '0');
  EXPECT_EQ(fresh.DataWordIndex(), 0);
  EXPECT_EQ(fresh.FileBuffer(), "*.DAT");

  font.ChangeType(3);
  EXPECT_EQ(font.FontId(), 52);
  EXPECT_EQ(font.FileNameText(), "*.DDB");
  EXPECT_EQ(font.FileBuffer(), "*.DDB");
  EXPECT_FALSE(font.Controls().dataFormat);
  font.ChangeType(2);
  EXPECT_EQ(font.FontId(), 48);
  EXPECT_TRUE(font.Controls().fontId);
  font.ChangeType(6);
  EXPECT_EQ(font.FileNameText(), "*.ASM");
  font.ChangeType(16);  // not in the list: nothing changes
  EXPECT_EQ(font.Type(), 6);
}

TEST(FileDialogLogic, ExportConfirm) {
  ExportFileDialogState state(ExportTypeList(), "", 8, '0');
  EXPECT_EQ(state.Confirm("ABCDEFGHI.DSB", "48"), std::optional<const char*>(msg::kFileNameTooLong));
  EXPECT_EQ(state.Confirm("ABCDEFGH.DSB", "48"), std::nullopt);
  EXPECT_EQ(state.Confirm("ABCDEFGH", "52"), std::nullopt);
  EXPECT_EQ(state.Confirm("A.DSB", "53"), std::optional<const char*>(msg::kExportFontIdRange));
  // Text that is not a number reads 0; the check holds for every type.
  EXPECT_EQ(state.Confirm("A.DAT", "four"), std::optional<const char*>(msg::kExportFontIdRange));
  EXPECT_EQ(state.FontId(), 0);
  EXPECT_EQ(state.Confirm("A.DAT", " 49 "), std::nullopt);
  EXPECT_EQ(state.FontId(), 49);
  EXPECT_EQ(state.Confirm("A.DAT", "99999999999"), std::optional<const char*>(msg::kExportFontIdRange));
}

TEST(FileDialogLogic, ImportDialogState) {
  ImportFileDialogState state(ImportTypeList(), "LOGO.ST9", 12, 24, 8);
  EXPECT_EQ(state.Type(), 5);
  EXPECT_EQ(state.FileNameText(), "LOGO.ST9");
  const ImportOptionControls st9 = state.Controls();
  EXPECT_FALSE(st9.dataFormat);
  EXPECT_TRUE(st9.width && st9.height);
  state.ChangeType(4);
  EXPECT_TRUE(state.Controls().dataFormat);
  state.ChangeType(9);
  EXPECT_TRUE(state.Controls().width);
  EXPECT_FALSE(state.Controls().dataFormat);
  EXPECT_EQ(state.FileNameText(), "*.TTF *.OTF *.TTC");
  for (const int position : {1, 2, 3, 7, 8}) {
    const ImportOptionControls controls = ImportControlsFor(position);
    EXPECT_FALSE(controls.dataFormat || controls.width || controls.height) << position;
  }
  // An outline font with height 0 is accepted here and refused by the command.
  EXPECT_EQ(state.Confirm("12", "0"), std::nullopt);
  state.ChangeType(6);
  EXPECT_EQ(state.Confirm("12", "x"), std::optional<const char*>(msg::kWidthAndHeightZero));
  EXPECT_EQ(state.Confirm("-4", "8"), std::optional<const char*>(msg::kWidthAndHeightZero));
  EXPECT_EQ(state.Confirm("300", "8"), std::optional<const char*>(msg::kCellSizeAbove255));
  EXPECT_EQ(state.Confirm("12", "24"), std::nullopt);
  EXPECT_EQ(state.Width(), 12);
  state.ChangeType(1);
  EXPECT_EQ(state.Confirm("0", "0"), std::nullopt);
}


constexpr int kPsfPosition = 12;

// The text of a refusal, empty when the answer passes.
std::string Problem(std::optional<const char*> refusal) { return refusal ? *refusal : ""; }

// The bitmap font options: shown for the four bitmap types only, kept across type
// changes, read from their texts on OK and refused with a message when wrong.
TEST(FileDialogLogic, ImportBitmapOptionsShownForBitmapTypesOnly) {
  for (int position = 1; position <= 13; ++position) {
    EXPECT_EQ(ImportControlsFor(position).bitmap, position >= 10) << position;
  }
  const BitmapDialogOptions last{18, "CP437", "20-7E", kFontTypeSingleIndex};
  ImportFileDialogState state(ImportTypeList(), "*.PSF", 0, 0, 8, last);
  EXPECT_EQ(state.Type(), kPsfPosition);
  EXPECT_TRUE(state.Controls().bitmap && state.Controls().width && state.Controls().height);
  EXPECT_FALSE(state.Controls().dataFormat);
  state.ChangeType(4);
  state.ChangeType(11);
  EXPECT_EQ(state.Bitmap().baseline, 18);
  EXPECT_EQ(state.Bitmap().encoding, "CP437");
  EXPECT_EQ(state.Bitmap().codes, "20-7E");
  EXPECT_EQ(state.Bitmap().fontTypeIndex, kFontTypeSingleIndex);

  // Defaults: the font's size and baseline, its Unicode codes, every code, automatic type.
  ImportFileDialogState fresh(ImportTypeList(), "", 0, 0, 8);
  EXPECT_EQ(fresh.Bitmap().baseline, std::nullopt);
  EXPECT_EQ(fresh.Bitmap().encoding, "");
  EXPECT_EQ(fresh.Bitmap().codes, "");
  EXPECT_EQ(fresh.Bitmap().fontTypeIndex, kFontTypeAutomaticIndex);
}

TEST(FileDialogLogic, ImportBitmapOptionsConfirm) {
  ImportFileDialogState state(ImportTypeList(), "*.PSF", 0, 0, 8);
  // Empty and 0 leave the baseline and the cell to the font; blanks in the codes are dropped.
  EXPECT_EQ(state.Confirm("0", "", {"", "CP850", " 20-7E, A0 - FF ", kFontTypeDoubleIndex}), std::nullopt);
  EXPECT_EQ(state.Width(), 0);
  EXPECT_EQ(state.Bitmap().baseline, std::nullopt);
  EXPECT_EQ(state.Bitmap().encoding, "CP850");
  EXPECT_EQ(state.Bitmap().codes, "20-7E,A0-FF");
  EXPECT_EQ(state.Bitmap().fontTypeIndex, kFontTypeDoubleIndex);
  EXPECT_EQ(state.Confirm("8", "16", {"0", "", "", 0}), std::nullopt);
  EXPECT_EQ(state.Bitmap().baseline, std::nullopt);
  EXPECT_EQ(state.Confirm("8", "16", {" 13 ", "", "", 0}), std::nullopt);
  EXPECT_EQ(state.Bitmap().baseline, 13);
  EXPECT_EQ(state.Confirm("8", "16", {"255", "", "", 0}), std::nullopt);

  EXPECT_EQ(Problem(state.Confirm("8", "16", {"-1", "", "", 0})), msg::kImportBaselineRange);
  EXPECT_EQ(Problem(state.Confirm("8", "16", {"256", "", "", 0})), msg::kImportBaselineRange);
  for (const char* codes : {"20-7G", "7E-20", ",", "20,", "-7E", "20-", "1000000", "0x20", "20-7E;A0"}) {
    EXPECT_EQ(Problem(state.Confirm("8", "16", {"", "", codes, 0})), msg::kCodesSyntax) << codes;
  }
  EXPECT_EQ(Problem(state.Confirm("8", "16", {"", "", "", 3})), msg::kFontTypeChoice);
  EXPECT_EQ(Problem(state.Confirm("8", "16", {"", "", "", -1})), msg::kFontTypeChoice);
  // The size checks come first, as for the other types.
  EXPECT_EQ(Problem(state.Confirm("300", "16", {"", "", "20-7G", 0})), msg::kCellSizeAbove255);

  // Another type does not use the options, so wrong ones do not keep its dialog open.
  state.ChangeType(1);
  EXPECT_EQ(state.Confirm("0", "0", {"-1", "", "20-7G", 5}), std::nullopt);
  EXPECT_EQ(CheckImportConfirm(4, 8, 8, {999, "", "zz", 9}), std::nullopt);
  // An outline font keeping its codes takes the code choices too.
  EXPECT_EQ(Problem(CheckImportConfirm(9, 8, 8, {std::nullopt, "", "zz", 0})), msg::kCodesSyntax);
  EXPECT_EQ(Problem(CheckImportConfirm(13, 8, 8, {999, "", "", 0})), msg::kImportBaselineRange);
}

TEST(FileDialogLogic, ImportBitmapAnswerBecomesTheImportOptions) {
  const BitmapImportOptions chosen = BitmapImportOptionsOf({0, "SHIFT_JIS", "20-7E,8140-84BE", kFontTypeDoubleIndex});
  EXPECT_EQ(chosen.baseline, 0) << "a command line baseline of 0 stays";
  EXPECT_EQ(chosen.encoding, "SHIFT_JIS");
  ASSERT_EQ(chosen.codes.size(), 2u);
  EXPECT_EQ(chosen.codes[1].first, 0x8140u);
  EXPECT_EQ(chosen.codes[1].last, 0x84BEu);
  EXPECT_EQ(chosen.fontType, kDoubleByteFont);
  EXPECT_EQ(BitmapImportOptionsOf({std::nullopt, "", "", kFontTypeSingleIndex}).fontType, kSingleByteFont);
  const BitmapImportOptions defaults = BitmapImportOptionsOf({});
  EXPECT_FALSE(defaults.baseline || defaults.fontType);
  EXPECT_TRUE(defaults.codes.empty() && defaults.encoding.empty());
}

// Every code page of the list is known to iconv under the name it is given, and
// the list starts with the choice that keeps the font's codes.
TEST(FileDialogLogic, ImportEncodingsAreKnownCodePages) {
  const std::vector<EncodingChoice>& encodings = ImportEncodings();
  ASSERT_FALSE(encodings.empty());
  EXPECT_STREQ(encodings.front().text, msg::kEncodingUnicode);
  EXPECT_STREQ(encodings.front().name, "");
  std::vector<std::string> texts;
  for (std::size_t i = 1; i < encodings.size(); ++i) {
    texts.emplace_back(encodings[i].text);
    EXPECT_TRUE(CodePageEncoder::Open(encodings[i].name)) << encodings[i].name;
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"CP437", "CP850", "CP858", "CP1252", "ISO-8859-1", "ISO-8859-2",
                                             "ISO-8859-15", "Shift_JIS", "GBK", "GB18030", "Big5", "EUC-KR"}));
  EXPECT_EQ(CodePageEncoder::Open(encodings[1].name)->Encode(U'\u00E9'), 0x82u);
  EXPECT_EQ(CodePageEncoder::Open("CP858")->Encode(U'\u20AC'), 0xD5u) << "CP858 is CP850 with the euro";
  EXPECT_EQ(ImportFontTypes().size(), 3u);
}

}  // namespace
}  // namespace dotforge
