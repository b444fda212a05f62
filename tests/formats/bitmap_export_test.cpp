#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H

#include <sys/stat.h>

#include <string>

#include "formats/bitmap/bdf_writer.h"
#include "formats/codepages/code_page_decoder.h"
#include "formats/commands/export_command.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "formats/commands/import_command.h"
#include "formats/bitmap/psf_writer.h"
#include "formats/bitmap/unifont_hex_writer.h"
#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

std::string TextOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The pattern cell of `code` with the bits beyond the width cleared: what a
// bitmap font file can hold of it.
Bytes ExpectedCell(std::int32_t code, std::int32_t width, std::int32_t height) {
  Bytes cell = test::PatternCell(code, width, height);
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  if (width % 8 != 0) {
    for (std::size_t end = rowBytes; end <= cell.size(); end += rowBytes) {
      cell[end - 1] &= static_cast<std::uint8_t>(0xFF << (8 - width % 8));
    }
  }
  return cell;
}

// Every character of `doc` has the code and cell MakeFontSet gave it, in `codes` order.
void ExpectPatternSet(const CDotforgeImportDoc& doc, std::int32_t width, std::int32_t height,
                      const std::vector<std::int32_t>& codes) {
  ASSERT_EQ(doc.width, width);
  ASSERT_EQ(doc.height, height);
  ASSERT_EQ(doc.characters.size(), codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    ASSERT_EQ(doc.characters[i]->label, FormatLabel(codes[i])) << i;
    ASSERT_EQ(doc.characters[i]->bitmap, ExpectedCell(codes[i], width, height)) << FormatLabel(codes[i]);
  }
}

class BitmapExportTest : public ::testing::Test {
 protected:
  ExportOutcome Export(CDotforgeImportDoc& doc, const std::string& name, int format,
                       std::optional<int> baseline = std::nullopt, const std::string& codePage = "") {
    prompt_.QueueExportDialog(
        ExportDialogAnswer{(dir_ / name).string(), ExportTypePosition(format), 0, '0', baseline, codePage});
    return exporter_.Run(doc, app_.importRequest, prompt_);
  }

  // The file read back through the import command at the font's own size.
  std::unique_ptr<CDotforgeImportDoc> ImportBack(const std::string& name, int format,
                                                 const std::string& encoding = "") {
    AppValues app;
    ScriptedPrompt prompt;
    ImportDialogAnswer answer{(dir_ / name).string(), format + 1, 0, 0, 0, name, {}};
    answer.bitmap.encoding = encoding;
    prompt.QueueImportDialog(answer);
    ImportCommand command(dir_.Path().string());
    if (!command.Run(app, prompt, [](const std::string&) { return false; })) return nullptr;
    return OpenImportedFontSet(app, prompt);
  }

  test::TempDir dir_;
  ScriptedPrompt prompt_;
  AppValues app_;
  ExportCommand exporter_;
};

// FreeType's BDF driver on a file in memory.
class FreeTypeBdf {
 public:
  explicit FreeTypeBdf(const Bytes& file) : file_(file) {
    EXPECT_EQ(FT_Init_FreeType(&library_), 0);
    EXPECT_EQ(FT_New_Memory_Face(library_, file_.data(), static_cast<FT_Long>(file_.size()), 0, &face_), 0);
    if (face_) {
      EXPECT_EQ(FT_Select_Size(face_, 0), 0);
    }
  }
  ~FreeTypeBdf() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  FT_Face Face() const { return face_; }

  std::string StringProperty(const char* name) const {
    BDF_PropertyRec property{};
    if (FT_Get_BDF_Property(face_, name, &property) != 0 || property.type != BDF_PROPERTY_TYPE_ATOM) return "?";
    return property.u.atom ? property.u.atom : "";
  }
  std::int32_t IntegerProperty(const char* name) const {
    BDF_PropertyRec property{};
    if (FT_Get_BDF_Property(face_, name, &property) != 0) return -1;
    return property.type == BDF_PROPERTY_TYPE_CARDINAL ? static_cast<std::int32_t>(property.u.cardinal)
                                                       : property.u.integer;
  }
  // The packed rows FreeType renders for `code`, checking the glyph's placement.
  Bytes Glyph(std::uint32_t code, std::int32_t width, std::int32_t height, std::int32_t baseline) const {
    const FT_UInt index = FT_Get_Char_Index(face_, code);
    EXPECT_NE(index, 0u) << code;
    if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) return {};
    const FT_GlyphSlot slot = face_->glyph;
    EXPECT_EQ(slot->bitmap.pixel_mode, FT_PIXEL_MODE_MONO);
    EXPECT_EQ(static_cast<std::int32_t>(slot->bitmap.width), width);
    EXPECT_EQ(static_cast<std::int32_t>(slot->bitmap.rows), height);
    EXPECT_EQ(slot->bitmap_left, 0);
    EXPECT_EQ(slot->bitmap_top, baseline);
    EXPECT_EQ(slot->advance.x, width * 64);
    const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
    Bytes rows;
    for (unsigned row = 0; row < slot->bitmap.rows; ++row) {
      const unsigned char* start = slot->bitmap.buffer + static_cast<std::ptrdiff_t>(row) * slot->bitmap.pitch;
      rows.insert(rows.end(), start, start + rowBytes);
    }
    return rows;
  }

 private:
  const Bytes& file_;
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

TEST(ExportTypeList, BitmapFontsFollowTheEightFileFormats) {
  const std::vector<FileTypeEntry> types = ParseTypeList(ExportTypeList());
  ASSERT_EQ(types.size(), 14u);
  EXPECT_EQ(types[0].text, "Files Data (*.DAT)");
  EXPECT_EQ(types[7].text, "Files 1F26 (*.1F)");
  EXPECT_EQ(types[8].text, "Files BDF (*.BDF)");
  EXPECT_EQ(types[9].text, "Files PSF2 (*.PSF)");
  EXPECT_EQ(types[10].text, "Files Unifont hex (*.HEX)");
  for (int position = 1; position <= 11; ++position) {
    const std::optional<int> format = ExportFormatAt(position);
    ASSERT_TRUE(format) << position;
    EXPECT_EQ(ExportTypePosition(*format), position);
  }
  EXPECT_EQ(ExportFormatAt(9), kFormatBdf);
  EXPECT_EQ(ExportFormatAt(10), kFormatPsf);
  EXPECT_EQ(ExportFormatAt(11), kFormatHex);
  EXPECT_FALSE(ExportFormatAt(0));
  EXPECT_FALSE(ExportFormatAt(14));
  EXPECT_EQ(ExportTypePosition(kFormatPcf), 0);
  EXPECT_EQ(ExportTypePosition(kFormatOutline), 0);
  // A font set last saved as BDF offers BDF again.
  EXPECT_EQ(InitialFileType("LATIN.BDF", types), 9);
  EXPECT_EQ(InitialFileType("LATIN.HEX", types), 11);
}

TEST(ExportFileDialogState, BaselineForBdfCodePageForBdfAndPsf2NoDownloadName) {
  ExportDialogRequest request{"Export Files ", ExportTypeList(), "", 8, '0', 24, DefaultBaseline(24)};
  ExportFileDialogState state(request);
  EXPECT_EQ(state.Baseline(), 21);
  state.ChangeType(9);
  EXPECT_EQ(state.FileNameText(), "*.BDF");
  EXPECT_TRUE(state.Controls().baseline);
  EXPECT_TRUE(state.Controls().codePage);
  EXPECT_FALSE(state.Controls().fontId);
  EXPECT_FALSE(state.Controls().dataFormat);
  EXPECT_EQ(state.Confirm("dotforge-receipt-24.bdf", "0", "25"), msg::kBaselineOutsideCell);
  EXPECT_EQ(state.Confirm("dotforge-receipt-24.bdf", "0", "-1"), msg::kBaselineOutsideCell);
  EXPECT_EQ(state.Confirm("dotforge-receipt-24.bdf", "0", "24"), std::nullopt);
  EXPECT_EQ(state.Baseline(), 24);
  EXPECT_EQ(state.Confirm("*.bdf", "0", "20"), msg::kWildcardInFileName);

  state.ChangeType(10);
  EXPECT_FALSE(state.Controls().baseline);
  EXPECT_TRUE(state.Controls().codePage);
  EXPECT_EQ(state.Confirm("dotforge-receipt-24.psf", "0", "99"), std::nullopt);
  state.ChangeType(11);
  EXPECT_FALSE(state.Controls().baseline);
  EXPECT_FALSE(state.Controls().codePage);

  // The download formats still hold their name in 8 characters.
  state.ChangeType(1);
  EXPECT_FALSE(state.Controls().baseline);
  EXPECT_EQ(state.Confirm("dotforge-receipt-24.dat", "48", ""), msg::kFileNameTooLong);

  ExportDialogAnswer answer{"/fonts/a-long-font-name.bdf", 9, 0, 0, 30, ""};
  EXPECT_EQ(CheckExportConfirm(answer, 24), msg::kBaselineOutsideCell);
  answer.baseline = 16;
  EXPECT_EQ(CheckExportConfirm(answer, 24), std::nullopt);
  answer.type = 3;
  EXPECT_EQ(CheckExportConfirm(answer, 24), msg::kFileNameTooLong);
}

TEST(CodePageDecoder, BigEndianBytesBackToUnicode) {
  const std::optional<CodePageDecoder> sjis = CodePageDecoder::Open("SHIFT_JIS");
  ASSERT_TRUE(sjis);
  EXPECT_EQ(sjis->Decode(0x8140), U'\u3000');
  EXPECT_EQ(sjis->Decode(0x41), U'A');
  EXPECT_EQ(sjis->Decode(0x82A0), U'\u3042');
  EXPECT_FALSE(sjis->Decode(0x81));     // a lead byte alone
  EXPECT_FALSE(sjis->Decode(0x10000));  // no code of one or two bytes
  const std::optional<CodePageDecoder> cp437 = CodePageDecoder::Open("CP437");
  ASSERT_TRUE(cp437);
  EXPECT_EQ(cp437->Decode(0x82), U'\u00E9');
  EXPECT_EQ(cp437->Decode(0xDB), U'\u2588');
  EXPECT_FALSE(CodePageDecoder::Open("NO-SUCH-CODE-PAGE"));
}

TEST_F(BitmapExportTest, BdfHeaderPropertiesAndCharactersInCodeOrder) {
  // Codes out of order in the list: the file lists them ascending.
  auto doc = test::MakeFontSet(12, 24, {0x42, 0x20, 0x41});
  ASSERT_EQ(Export(*doc, "receipt.bdf", kFormatBdf), ExportOutcome::Written);
  const std::string text = TextOf(test::ReadBytes(dir_ / "receipt.bdf"));
  EXPECT_EQ(text.rfind("STARTFONT 2.1\nFONT -Dotforge-receipt-Medium-R-Normal--24-240-72-72-C-120-ISO10646-1\n"
                       "SIZE 24 72 72\nFONTBOUNDINGBOX 12 24 0 -3\nSTARTPROPERTIES 16\n",
                       0),
            0u)
      << text.substr(0, 300);
  EXPECT_NE(text.find("FONT_ASCENT 21\nFONT_DESCENT 3\n"), std::string::npos);
  EXPECT_NE(text.find("SPACING \"C\"\n"), std::string::npos);
  EXPECT_NE(text.find("CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"), std::string::npos);
  EXPECT_NE(text.find("ENDPROPERTIES\nCHARS 3\nSTARTCHAR uni0020\nENCODING 32\nSWIDTH 500 0\nDWIDTH 12 0\n"
                      "BBX 12 24 0 -3\nBITMAP\n"),
            std::string::npos);
  EXPECT_LT(text.find("ENCODING 65"), text.find("ENCODING 66"));
  EXPECT_EQ(text.substr(text.size() - 16), "ENDCHAR\nENDFONT\n");
  // Every row in two hexadecimal digits per byte, the dots beyond 12 cleared.
  const std::size_t bitmap = text.find("BITMAP\n", text.find("ENCODING 65")) + 7;
  const Bytes cell = ExpectedCell(0x41, 12, 24);
  char row[8];
  std::snprintf(row, sizeof row, "%02X%02X\n", cell[0], cell[1]);
  EXPECT_EQ(text.substr(bitmap, 5), row);
  EXPECT_EQ(text.substr(bitmap + 24 * 5, 8), "ENDCHAR\n");
  EXPECT_EQ(doc->GetTitle(), "receipt.bdf");
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(BitmapExportTest, BdfReadByFreeTypeEqualsTheSet) {
  const std::vector<std::int32_t> codes = {0x20, 0x41, 0x7E, 0xE9};
  for (const auto& [width, height, baseline] : {std::tuple{12, 24, 21}, std::tuple{8, 16, 14}, std::tuple{9, 7, 0}}) {
    auto doc = test::MakeFontSet(width, height, codes);
    ASSERT_EQ(Export(*doc, "font.bdf", kFormatBdf, baseline == 0 ? std::optional<int>(0) : std::nullopt),
              ExportOutcome::Written);
    const Bytes file = test::ReadBytes(dir_ / "font.bdf");
    const FreeTypeBdf bdf(file);
    ASSERT_TRUE(bdf.Face());
    EXPECT_EQ(bdf.IntegerProperty("FONT_ASCENT"), baseline);
    EXPECT_EQ(bdf.IntegerProperty("FONT_DESCENT"), height - baseline);
    EXPECT_EQ(bdf.IntegerProperty("PIXEL_SIZE"), height);
    EXPECT_EQ(bdf.StringProperty("CHARSET_REGISTRY"), "ISO10646");
    EXPECT_EQ(bdf.Face()->charmap->encoding, FT_ENCODING_UNICODE);
    for (const std::int32_t code : codes) {
      EXPECT_EQ(bdf.Glyph(static_cast<std::uint32_t>(code), width, height, baseline),
                ExpectedCell(code, width, height))
          << width << "x" << height << " " << code;
    }
  }
}

TEST_F(BitmapExportTest, BdfRoundTripSingleAndDoubleByte) {
  const std::vector<std::int32_t> single = {0x20, 0x41, 0x61, 0xA0, 0xFF};
  auto latin = test::MakeFontSet(12, 24, single);
  ASSERT_EQ(Export(*latin, "latin.bdf", kFormatBdf), ExportOutcome::Written);
  const auto latinBack = ImportBack("latin.bdf", kFormatBdf);
  ASSERT_TRUE(latinBack);
  EXPECT_EQ(latinBack->fontType, kSingleByteFont);
  ExpectPatternSet(*latinBack, 12, 24, single);

  // The whole cell comes back at any baseline.
  const std::vector<std::int32_t> kanji = {0x41, 0x3000, 0x8140, 0x9FA5, 0xFFFD};
  auto cjk = test::MakeFontSet(24, 24, kanji, kDoubleByteFont);
  ASSERT_EQ(Export(*cjk, "cjk.bdf", kFormatBdf, 20), ExportOutcome::Written);
  const auto cjkBack = ImportBack("cjk.bdf", kFormatBdf);
  ASSERT_TRUE(cjkBack);
  EXPECT_EQ(cjkBack->fontType, kDoubleByteFont);
  ExpectPatternSet(*cjkBack, 24, 24, kanji);
}

TEST_F(BitmapExportTest, BdfOfACodePageKeepsTheCodesAndNamesTheCharset) {
  const std::vector<std::int32_t> codes = {0x41, 0x8140, 0x82A0};
  auto doc = test::MakeFontSet(16, 16, codes, kDoubleByteFont);
  ASSERT_EQ(Export(*doc, "sjis.bdf", kFormatBdf, std::nullopt, "Shift_JIS"), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "sjis.bdf");
  const std::string text = TextOf(file);
  EXPECT_NE(text.find("-C-160-SHIFT_JIS-0\n"), std::string::npos);
  // 0x8140 named after the Unicode character the code page reads it as.
  EXPECT_NE(text.find("STARTCHAR uni3000\nENCODING 33088\n"), std::string::npos);
  const FreeTypeBdf bdf(file);
  ASSERT_TRUE(bdf.Face());
  EXPECT_EQ(bdf.StringProperty("CHARSET_REGISTRY"), "SHIFT_JIS");
  ASSERT_EQ(bdf.Face()->num_charmaps, 1);
  EXPECT_NE(bdf.Face()->charmaps[0]->encoding, FT_ENCODING_UNICODE);
  const auto back = ImportBack("sjis.bdf", kFormatBdf);
  ASSERT_TRUE(back);
  ExpectPatternSet(*back, 16, 16, codes);

  // ISO-8859-1 is the Unicode start: FreeType maps it as Unicode.
  ASSERT_EQ(Export(*doc, "latin1.bdf", kFormatBdf, std::nullopt, "ISO-8859-1"), ExportOutcome::Written);
  EXPECT_NE(TextOf(test::ReadBytes(dir_ / "latin1.bdf")).find("-ISO8859-1\n"), std::string::npos);
  // A code the code page does not read keeps its label as its name.
  EXPECT_NE(TextOf(test::ReadBytes(dir_ / "latin1.bdf")).find("STARTCHAR C8140\nENCODING 33088\n"), std::string::npos);

  prompt_.Clear();
  EXPECT_EQ(Export(*doc, "bad.bdf", kFormatBdf, std::nullopt, "NO-SUCH-CODE-PAGE"), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Texts().back(), std::string(msg::kUnknownCodePage) + "NO-SUCH-CODE-PAGE");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "bad.bdf"));
}

// The dialog warns and opens again; nothing is written until the baseline fits.
TEST_F(BitmapExportTest, BaselineOutsideTheCellIsRefused) {
  auto doc = test::MakeFontSet(8, 16, {0x41});
  doc->SetModifiedFlag(true);
  EXPECT_EQ(Export(*doc, "font.bdf", kFormatBdf, 17), ExportOutcome::Cancelled);
  EXPECT_EQ(prompt_.Texts(),
            (std::vector<std::string>{msg::kExportTitle, msg::kBaselineOutsideCell, msg::kExportTitle}));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "font.bdf"));
  EXPECT_TRUE(doc->IsModified());

  prompt_.Clear();
  prompt_.QueueExportDialog(ExportDialogAnswer{(dir_ / "font.bdf").string(), 9, 0, '0', -1, ""});
  EXPECT_EQ(Export(*doc, "font.bdf", kFormatBdf, 16), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts(),
            (std::vector<std::string>{msg::kExportTitle, msg::kBaselineOutsideCell, msg::kExportTitle}));
  EXPECT_NE(TextOf(test::ReadBytes(dir_ / "font.bdf")).find("FONT_ASCENT 16\nFONT_DESCENT 0\n"), std::string::npos);
}

TEST_F(BitmapExportTest, FullDoubleByteSetToBdfAndBack) {
  const std::vector<std::int32_t> codes = test::CodeRange(0x20, 0xFFFF);
  ASSERT_EQ(codes.size(), 65504u);
  auto doc = test::MakeFontSet(24, 24, codes, kDoubleByteFont);
  ASSERT_EQ(Export(*doc, "full.bdf", kFormatBdf), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "full.bdf");
  {
    const FreeTypeBdf bdf(file);
    ASSERT_TRUE(bdf.Face());
    EXPECT_EQ(bdf.IntegerProperty("FONT_ASCENT"), 21);
    for (const std::int32_t code : {0x20, 0x7F, 0x3000, 0xD800, 0xFFFF}) {
      EXPECT_EQ(bdf.Glyph(static_cast<std::uint32_t>(code), 24, 24, 21), ExpectedCell(code, 24, 24)) << code;
    }
  }
  const auto back = ImportBack("full.bdf", kFormatBdf);
  ASSERT_TRUE(back);
  ExpectPatternSet(*back, 24, 24, codes);
}

TEST_F(BitmapExportTest, Psf2HeaderGlyphsAndUnicodeTable) {
  auto doc = test::MakeFontSet(12, 24, {0xE9, 0x41, 0x20});
  ASSERT_EQ(Export(*doc, "console.psf", kFormatPsf), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "console.psf");
  ASSERT_GE(file.size(), 32u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0x72, 0xB5, 0x4A, 0x86}));
  EXPECT_EQ(GetU32LE(file, 4), 0u);    // version
  EXPECT_EQ(GetU32LE(file, 8), 32u);   // header size
  EXPECT_EQ(GetU32LE(file, 12), 1u);   // a Unicode table follows
  EXPECT_EQ(GetU32LE(file, 16), 3u);   // glyphs
  EXPECT_EQ(GetU32LE(file, 20), 48u);  // bytes per glyph
  EXPECT_EQ(GetU32LE(file, 24), 24u);
  EXPECT_EQ(GetU32LE(file, 28), 12u);
  const Bytes glyph0(file.begin() + 32, file.begin() + 80);
  EXPECT_EQ(glyph0, ExpectedCell(0x20, 12, 24));
  const Bytes table(file.begin() + 32 + 3 * 48, file.end());
  EXPECT_EQ(table, (Bytes{0x20, 0xFF, 0x41, 0xFF, 0xC3, 0xA9, 0xFF}));
}

TEST_F(BitmapExportTest, Psf2RoundTripAsUnicodeAndThroughACodePage) {
  const std::vector<std::int32_t> single = {0x20, 0x41, 0xA0, 0xFF};
  auto latin = test::MakeFontSet(8, 16, single);
  ASSERT_EQ(Export(*latin, "latin.psf", kFormatPsf), ExportOutcome::Written);
  const auto latinBack = ImportBack("latin.psf", kFormatPsf);
  ASSERT_TRUE(latinBack);
  ExpectPatternSet(*latinBack, 8, 16, single);

  // Shift_JIS codes: the table holds their Unicode characters, and the same code
  // page on import gives the codes back.
  const std::vector<std::int32_t> sjis = {0x41, 0x8140, 0x82A0, 0x889F};
  auto kanji = test::MakeFontSet(24, 24, sjis, kDoubleByteFont);
  ASSERT_EQ(Export(*kanji, "sjis.psf", kFormatPsf, std::nullopt, "SHIFT_JIS"), ExportOutcome::Written);
  const Bytes file = test::ReadBytes(dir_ / "sjis.psf");
  const Bytes table(file.begin() + 32 + 4 * 72, file.end());
  // 'A', U+3000, U+3042, U+4E9C.
  EXPECT_EQ(table, (Bytes{0x41, 0xFF, 0xE3, 0x80, 0x80, 0xFF, 0xE3, 0x81, 0x82, 0xFF, 0xE4, 0xBA, 0x9C, 0xFF}));
  const auto unicodeBack = ImportBack("sjis.psf", kFormatPsf);
  ASSERT_TRUE(unicodeBack);
  EXPECT_EQ(unicodeBack->characters[1]->label, "3000");
  const auto sjisBack = ImportBack("sjis.psf", kFormatPsf, "SHIFT_JIS");
  ASSERT_TRUE(sjisBack);
  ExpectPatternSet(*sjisBack, 24, 24, sjis);
}

TEST_F(BitmapExportTest, Psf2CodesWithoutUnicodeAreCountedAndTheFileKeepsTheirGlyphs) {
  // Codes taken as Unicode: D800..DFFF are no characters. Through SHIFT_JIS the
  // lone lead byte 0x81 is none either.
  auto doc = test::MakeFontSet(16, 16, {0x41, 0xD800, 0xDFFF}, kDoubleByteFont);
  ASSERT_EQ(Export(*doc, "surrogates.psf", kFormatPsf), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts().back(), "2" + std::string(msg::kPsfCodesWithoutUnicode));
  const Bytes file = test::ReadBytes(dir_ / "surrogates.psf");
  EXPECT_EQ(GetU32LE(file, 16), 3u);
  EXPECT_EQ(Bytes(file.begin() + 32 + 3 * 32, file.end()), (Bytes{0x41, 0xFF, 0xFF, 0xFF}));

  auto single = test::MakeFontSet(8, 16, {0x41, 0x81});
  prompt_.Clear();
  ASSERT_EQ(Export(*single, "lead.psf", kFormatPsf, std::nullopt, "SHIFT_JIS"), ExportOutcome::Written);
  EXPECT_EQ(prompt_.Texts().back(), "1" + std::string(msg::kPsfCodesWithoutUnicode));

  prompt_.Clear();
  EXPECT_EQ(Export(*single, "bad.psf", kFormatPsf, std::nullopt, "NO-SUCH-CODE-PAGE"), ExportOutcome::Stopped);
  EXPECT_EQ(prompt_.Texts().back(), std::string(msg::kUnknownCodePage) + "NO-SUCH-CODE-PAGE");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "bad.psf"));
}

TEST_F(BitmapExportTest, UnifontHexLinesAndRoundTrip) {
  auto narrow = test::MakeFontSet(8, 16, {0x42, 0x41});
  ASSERT_EQ(Export(*narrow, "narrow.hex", kFormatHex), ExportOutcome::Written);
  const std::string text = TextOf(test::ReadBytes(dir_ / "narrow.hex"));
  std::string expected;
  for (const std::int32_t code : {0x41, 0x42}) {
    expected += FormatLabel(code) + ":";
    for (const std::uint8_t byte : test::PatternCell(code, 8, 16)) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02X", byte);
      expected += digits;
    }
    expected += "\n";
  }
  EXPECT_EQ(text, expected);
  const auto narrowBack = ImportBack("narrow.hex", kFormatHex);
  ASSERT_TRUE(narrowBack);
  ExpectPatternSet(*narrowBack, 8, 16, {0x41, 0x42});

  const std::vector<std::int32_t> wide = {0x20, 0x4E00, 0x9FA5, 0xFFFD};
  auto cjk = test::MakeFontSet(16, 16, wide, kDoubleByteFont);
  ASSERT_EQ(Export(*cjk, "wide.hex", kFormatHex), ExportOutcome::Written);
  const auto wideBack = ImportBack("wide.hex", kFormatHex);
  ASSERT_TRUE(wideBack);
  ExpectPatternSet(*wideBack, 16, 16, wide);
}

TEST_F(BitmapExportTest, UnifontHexRefusesOtherCellSizes) {
  for (const auto& [width, height] : {std::pair{12, 24}, std::pair{8, 8}, std::pair{16, 24}, std::pair{24, 16}}) {
    auto doc = test::MakeFontSet(width, height, {0x41});
    doc->SetTitle("FONT.DAT");
    doc->SetModifiedFlag(true);
    prompt_.Clear();
    EXPECT_EQ(Export(*doc, "font.hex", kFormatHex), ExportOutcome::Stopped) << width << "x" << height;
    EXPECT_EQ(prompt_.Texts().back(), msg::kUnifontCellOnly);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "font.hex"));
    EXPECT_EQ(doc->GetTitle(), "FONT.DAT");
    EXPECT_TRUE(doc->IsModified());
  }
}

// Save as BDF, edit, then the close check saves the edit as PSF2 under another
// name; a read-only target on the way keeps the set open and modified.
TEST_F(BitmapExportTest, SaveEditSaveAsAnotherFormatAndCloseCheck) {
  auto doc = test::MakeFontSet(8, 16, {0x41, 0x42});
  ASSERT_EQ(Export(*doc, "session.bdf", kFormatBdf), ExportOutcome::Written);
  const Bytes firstSave = test::ReadBytes(dir_ / "session.bdf");

  const bool wasBlack = doc->characters[0]->Pixel(0, 0);
  doc->characters[0]->SetPixel(0, 0, !wasBlack);
  doc->SetModifiedFlag(true);

  const auto readOnly = dir_ / "locked.psf";
  test::WriteBytes(readOnly, Bytes{9});
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  prompt_.Clear();
  prompt_.QueueAnswers({Answer::Yes});
  prompt_.QueueExportDialog(ExportDialogAnswer{readOnly.string(), ExportTypePosition(kFormatPsf), 0, '0', {}, {}});
  EXPECT_FALSE(CanCloseFontSet(*doc, app_, exporter_, prompt_));
  EXPECT_EQ(prompt_.Texts().back(), msg::kUnableToOpenFile);
  EXPECT_EQ(test::ReadBytes(readOnly), Bytes{9});
  EXPECT_TRUE(doc->IsModified());

  prompt_.Clear();
  prompt_.QueueAnswers({Answer::Yes});
  prompt_.QueueExportDialog(
      ExportDialogAnswer{(dir_ / "session-edited.psf").string(), ExportTypePosition(kFormatPsf), 0, '0', {}, {}});
  EXPECT_TRUE(CanCloseFontSet(*doc, app_, exporter_, prompt_));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetTitle(), "session-edited.psf");

  EXPECT_EQ(test::ReadBytes(dir_ / "session.bdf"), firstSave);
  const auto before = ImportBack("session.bdf", kFormatBdf);
  const auto after = ImportBack("session-edited.psf", kFormatPsf);
  ASSERT_TRUE(before && after);
  EXPECT_EQ(before->characters[0]->Pixel(0, 0), wasBlack);
  EXPECT_EQ(after->characters[0]->Pixel(0, 0), !wasBlack);
  EXPECT_EQ(after->characters[1]->bitmap, before->characters[1]->bitmap);
}

}  // namespace
}  // namespace dotforge
