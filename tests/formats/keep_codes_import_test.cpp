// Outline fonts imported keeping their character codes: one baseline, one pixel
// size, codes re-encoded and subset as for bitmap fonts.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_OUTLINE_H

#include <algorithm>

#include "formats/font_files.h"
#include "formats/formats_messages.h"
#include "formats/commands/import_command.h"
#include "formats/outline/outline_font_importer.h"
#include "framework/scripted_prompt.h"
#include "model/character_record.h"
#include "model/font_set.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

const std::filesystem::path kNotoCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

FontFacesAnswer KeepCodes(std::string encoding = "", int pixelSize = 0, std::optional<int> baseline = {}) {
  FontFacesAnswer answer(0, -1);
  answer.keepCodes = true;
  answer.encoding = std::move(encoding);
  answer.pixelSize = pixelSize;
  answer.baseline = baseline;
  return answer;
}

// The ink box of a cell: first and last rows and columns with a black dot.
struct InkBox {
  int top = -1, bottom = -1, left = -1, right = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

InkBox InkOf(const CharacterRecord& cell) {
  InkBox box;
  for (std::int32_t y = 0; y < cell.height; ++y) {
    for (std::int32_t x = 0; x < cell.width; ++x) {
      if (!cell.Pixel(x, y)) continue;
      if (box.top < 0) box.top = y;
      box.bottom = y;
      box.left = box.left < 0 ? x : std::min(box.left, x);
      box.right = std::max(box.right, x);
    }
  }
  return box;
}

class KeepCodesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sans_ = test::DejaVuFont("DejaVuSans.ttf");
    if (sans_.empty()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  }

  // Opens the file, answers the faces dialog and renders; the block or nothing.
  std::optional<ParsedGlyphBlock> Render(OutlineFontImporter& importer, const std::filesystem::path& path,
                                         const FontFacesAnswer& answer, unsigned threads = 0) {
    if (!importer.OpenFontFile(path, prompt_)) return std::nullopt;
    if (importer.ConfirmFaces(answer, prompt_) != OutlineFontImporter::FacesChoice::Accepted) return std::nullopt;
    if (!importer.RenderCharacters(prompt_, threads)) return std::nullopt;
    return importer.TakeBlock();
  }

  // The cell of code `code` in the block, which carries its codes.
  static CharacterRecord Cell(const OutlineFontImporter& importer, const ParsedGlyphBlock& block, std::int32_t code) {
    const auto found = std::find(block.codes.begin(), block.codes.end(), code);
    CharacterRecord record(importer.Width(), importer.Height());
    EXPECT_NE(found, block.codes.end()) << std::hex << code;
    if (found == block.codes.end()) return record;
    const auto index = static_cast<std::size_t>(found - block.codes.begin());
    const auto begin = block.bytes.begin() + static_cast<std::ptrdiff_t>(index * record.bitmap.size());
    std::copy(begin, begin + static_cast<std::ptrdiff_t>(record.bitmap.size()), record.bitmap.begin());
    return record;
  }

  std::filesystem::path sans_;
  ScriptedPrompt prompt_;
  test::TempDir dir_;
};

TEST_F(KeepCodesTest, GlyphsStandOnOneBaselineAndKeepTheirShape) {
  OutlineFontImporter importer(24, 24);
  const std::optional<ParsedGlyphBlock> block = Render(importer, sans_, KeepCodes());
  ASSERT_TRUE(block) << (prompt_.Texts().empty() ? "" : prompt_.Texts().back());
  EXPECT_TRUE(prompt_.Texts().empty());
  // DejaVu Sans: ascender 1901 + descender 483 of 2048 units fit 24 rows at 20 px.
  EXPECT_EQ(importer.PixelSize(), 20);
  const int baseline = importer.Layout().baseline;
  EXPECT_EQ(baseline, 19);

  const int onBaseline = baseline - 1;  // the last row above the baseline
  for (const char letter : {'x', 'o', 'H'}) {
    EXPECT_EQ(InkOf(Cell(importer, *block, letter)).bottom, onBaseline) << letter;
  }
  for (const char letter : {'g', 'p'}) {
    EXPECT_GT(InkOf(Cell(importer, *block, letter)).bottom, onBaseline + 2) << letter;
  }
  // 'H' and 'x' share the baseline but not the top: nothing is centred vertically.
  EXPECT_LT(InkOf(Cell(importer, *block, 'H')).top, InkOf(Cell(importer, *block, 'x')).top - 3);

  // 'O' keeps the aspect of its outline (not stretched to the cell).
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face = nullptr;
  ASSERT_EQ(FT_New_Face(library, sans_.c_str(), 0, &face), 0);
  FT_Set_Pixel_Sizes(face, 0, 20);
  ASSERT_EQ(FT_Load_Char(face, 'O', FT_LOAD_NO_HINTING), 0);
  FT_BBox box;
  FT_Outline_Get_CBox(&face->glyph->outline, &box);
  const double outlineRatio = static_cast<double>(box.xMax - box.xMin) / static_cast<double>(box.yMax - box.yMin);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  const InkBox o = InkOf(Cell(importer, *block, 'O'));
  EXPECT_NEAR(static_cast<double>(o.Width()) / o.Height(), outlineRatio, 0.1);
  // Its advance box is centred: the ink leaves about as much room left as right.
  EXPECT_LE(std::abs(o.left - (23 - o.right)), 2);
}

TEST_F(KeepCodesTest, CodesAreTheFacesUnicodeCodes) {
  OutlineFontImporter importer(16, 16);
  const std::optional<ParsedGlyphBlock> block = Render(importer, sans_, KeepCodes());
  ASSERT_TRUE(block);
  ASSERT_EQ(block->codes.size(), static_cast<std::size_t>(block->characterCount));
  EXPECT_TRUE(std::is_sorted(block->codes.begin(), block->codes.end()));
  EXPECT_EQ(block->codes.front(), 0x20);
  EXPECT_EQ(block->fontType, kDoubleByteFont);
  EXPECT_GT(InkOf(Cell(importer, *block, 0x41)).Height(), 8) << "'A' at 0x41";
  EXPECT_GT(InkOf(Cell(importer, *block, 0x20AC)).Height(), 8) << "the euro sign at its Unicode code";
  // DejaVu maps characters beyond 0xFFFF: they do not fit a font set.
  const BitmapImportCounts& counts = importer.Counts();
  EXPECT_EQ(counts.kept, block->characterCount);
  EXPECT_GT(counts.outsideType, 0);
}

TEST_F(KeepCodesTest, CodePageAndSubsetChooseTheCodes) {
  BitmapImportOptions rules;
  rules.codes = {{0x41, 0x5A}, {0x80, 0x9F}};
  OutlineFontImporter importer(12, 24, rules);
  const std::optional<ParsedGlyphBlock> block = Render(importer, sans_, KeepCodes("CP437"));
  ASSERT_TRUE(block);
  std::vector<std::int32_t> expected;
  for (std::int32_t code = 0x41; code <= 0x5A; ++code) expected.push_back(code);
  for (std::int32_t code = 0x80; code <= 0x9F; ++code) expected.push_back(code);
  EXPECT_EQ(block->codes, expected);
  EXPECT_EQ(block->fontType, kSingleByteFont);
  // CP437 0x82 is 'é': the same glyph as Unicode U+00E9 drawn by a Unicode import.
  OutlineFontImporter unicode(12, 24);
  const std::optional<ParsedGlyphBlock> unicodeBlock = Render(unicode, sans_, KeepCodes());
  ASSERT_TRUE(unicodeBlock);
  EXPECT_EQ(Cell(importer, *block, 0x82).bitmap, Cell(unicode, *unicodeBlock, 0xE9).bitmap);
  EXPECT_GT(importer.Counts().outsideCodes, 0);
  EXPECT_GT(importer.Counts().notEncodable, 0);
}

TEST_F(KeepCodesTest, TooSmallCellCountsTheCutGlyphs) {
  BitmapImportOptions rules;
  rules.codes = {{0x41, 0x5A}};
  OutlineFontImporter fitting(24, 24, rules);
  ASSERT_TRUE(Render(fitting, sans_, KeepCodes()));
  EXPECT_EQ(fitting.Counts().cut, 0);
  // 24 pixels per em in an 8 x 10 cell: every capital loses dots.
  OutlineFontImporter small(8, 10, rules);
  ASSERT_TRUE(Render(small, sans_, KeepCodes("", 24)));
  EXPECT_EQ(small.Counts().kept, 26);
  EXPECT_EQ(small.Counts().cut, 26);
}

TEST_F(KeepCodesTest, ThreadsGiveTheSameCells) {
  OutlineFontImporter one(12, 16);
  const std::optional<ParsedGlyphBlock> serial = Render(one, sans_, KeepCodes(), 1);
  ASSERT_TRUE(serial);
  OutlineFontImporter many(12, 16);
  const std::optional<ParsedGlyphBlock> parallel = Render(many, sans_, KeepCodes(), 3);
  ASSERT_TRUE(parallel);
  EXPECT_TRUE(parallel->bytes == serial->bytes);
  EXPECT_EQ(parallel->codes, serial->codes);
  EXPECT_EQ(many.Counts().cut, one.Counts().cut);
}

TEST_F(KeepCodesTest, RefusedChoicesKeepTheDialogOpen) {
  OutlineFontImporter importer(16, 16);
  ASSERT_TRUE(importer.OpenFontFile(sans_, prompt_));
  // No map needs choosing when the codes are kept.
  EXPECT_EQ(importer.ConfirmFaces(KeepCodes("NO-SUCH-PAGE"), prompt_), OutlineFontImporter::FacesChoice::StayInDialog);
  EXPECT_EQ(importer.ConfirmFaces(KeepCodes("", 513), prompt_), OutlineFontImporter::FacesChoice::StayInDialog);
  EXPECT_EQ(importer.ConfirmFaces(KeepCodes("", 0, 256), prompt_), OutlineFontImporter::FacesChoice::StayInDialog);
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{std::string(msg::kUnknownCodePage) + "NO-SUCH-PAGE",
                                                       msg::kPixelSizeRange, msg::kBaselineRange}));
  EXPECT_EQ(prompt_.Entries()[0].kind, MessageKind::Warning);
  EXPECT_EQ(importer.ConfirmFaces(KeepCodes("CP437"), prompt_), OutlineFontImporter::FacesChoice::Accepted);
  EXPECT_TRUE(importer.KeepsCodes());

  // A face without any character map has no Unicode codes to keep.
  test::WriteBytes(dir_ / "NOMAP.TTF", test::WithoutCharmaps(test::ReadBytes(sans_)));
  OutlineFontImporter noMap(16, 16);
  ASSERT_TRUE(noMap.OpenFontFile(dir_ / "NOMAP.TTF", prompt_));
  prompt_.Clear();
  EXPECT_EQ(noMap.ConfirmFaces(KeepCodes(), prompt_), OutlineFontImporter::FacesChoice::StayInDialog);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kNoUnicodeMap});
}

TEST_F(KeepCodesTest, PreviewDrawsWhatTheImportDraws) {
  OutlineFontImporter importer(24, 24);
  ASSERT_TRUE(importer.OpenFontFile(sans_, prompt_));
  const FontFacesRequest contents = importer.FacesDialogContents();
  ASSERT_FALSE(contents.codePages.empty());
  EXPECT_EQ(contents.codePages.front().name, "");
  EXPECT_EQ(contents.codePages.front().label, msg::kEncodingUnicode);
  ASSERT_TRUE(contents.preview);
  EXPECT_EQ(contents.preview(FontFacesAnswer(-1, -1)).problem, msg::kPreviewSelectFace);
  EXPECT_EQ(contents.preview(KeepCodes("", 600)).problem, msg::kPixelSizeRange);

  const FacePreview preview = contents.preview(KeepCodes());
  EXPECT_TRUE(preview.problem.empty());
  EXPECT_EQ(preview.pixelSize, 20);
  EXPECT_EQ(preview.baseline, 19);
  ASSERT_EQ(preview.cells.size(), 5u);  // "HxgpO"
  EXPECT_EQ(preview.cells[0].label, "0048");

  ASSERT_EQ(importer.ConfirmFaces(KeepCodes(), prompt_), OutlineFontImporter::FacesChoice::Accepted);
  ASSERT_TRUE(importer.RenderCharacters(prompt_));
  const ParsedGlyphBlock block = importer.TakeBlock();
  EXPECT_EQ(Cell(importer, block, 'H').bitmap, preview.cells[0].dots);
  EXPECT_EQ(Cell(importer, block, 'g').bitmap, preview.cells[2].dots);
}

class KeepCodesCjkTest : public KeepCodesTest {
 protected:
  void SetUp() override {
    KeepCodesTest::SetUp();
    if (!std::filesystem::exists(kNotoCjk)) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  }
};

TEST_F(KeepCodesCjkTest, ShiftJisReEncodesTheCodes) {
  BitmapImportOptions rules;
  rules.codes = {{0x41, 0x5A}, {0x829F, 0x82F1}};
  OutlineFontImporter importer(24, 24, rules);
  const std::optional<ParsedGlyphBlock> block = Render(importer, kNotoCjk, KeepCodes("SHIFT_JIS"));
  ASSERT_TRUE(block) << (prompt_.Texts().empty() ? "" : prompt_.Texts().back());
  EXPECT_EQ(block->fontType, kDoubleByteFont);
  EXPECT_EQ(block->codes.front(), 0x41);
  // Hiragana 'a' (U+3042) is 0x82A0 in Shift_JIS.
  const CharacterRecord a = Cell(importer, *block, 0x82A0);
  EXPECT_GT(InkOf(a).Height(), 8);
  EXPECT_EQ(importer.Counts().cut, 0);
  EXPECT_GT(importer.Counts().notEncodable, 0);

  // The preview of a double-byte code page draws CJK samples with their codes.
  OutlineFontImporter previewer(24, 24);
  ASSERT_TRUE(previewer.OpenFontFile(kNotoCjk, prompt_));
  const FacePreview preview = previewer.FacesDialogContents().preview(KeepCodes("Shift_JIS"));
  ASSERT_EQ(preview.cells.size(), 5u);
  EXPECT_EQ(preview.cells[2].label, "82A0");
  EXPECT_EQ(preview.cells[2].dots, a.bitmap);
}

// Kept codes through the import command: the font set opens with the codes
// and the counts; a Cancel during rendering changes nothing.
class KeepCodesCommandTest : public KeepCodesTest {
 protected:
  bool Import(ScriptedPrompt& prompt, const FontFacesAnswer& answer, const std::string& codes = "") {
    ImportDialogAnswer file{sans_.string(), kOutlinePosition, 16, 16, 0, "*.TTF", {}};
    file.bitmap.codes = codes;
    prompt.QueueImportDialog(file);
    prompt.QueueFontFacesDialog(answer);
    return command_.Run(app_, prompt, [](const std::string&) { return false; });
  }

  static constexpr int kOutlinePosition = 9;
  AppValues app_;
  ImportCommand command_{"/fonts"};
};

TEST_F(KeepCodesCommandTest, FontSetTakesTheKeptCodes) {
  ASSERT_TRUE(Import(prompt_, KeepCodes("CP437"), "20-7E"));
  EXPECT_EQ(app_.importRequest.bitmapCounts.kept, 95);
  auto doc = OpenImportedFontSet(app_, prompt_);
  EXPECT_EQ(doc->fontType, kSingleByteFont);
  ASSERT_EQ(doc->characters.size(), 95u);
  EXPECT_EQ(doc->codes[0x41 - 0x20], 0x41);
  EXPECT_EQ(doc->characters[0x41 - 0x20]->label, "0041");
  EXPECT_EQ(doc->width, 16);

  // The next import without a subset takes every code again: the last one's
  // choices do not linger in the request.
  ASSERT_TRUE(Import(prompt_, KeepCodes("CP437")));
  EXPECT_GT(app_.importRequest.bitmapCounts.kept, 95);
}

class CancellingPrompt : public ScriptedPrompt {
 public:
  ProgressCallback StartProgress(std::string_view) override {
    // Goes on after the first report, whatever the other threads have done
    // by then, and cancels at the next.
    return [this](std::size_t, std::size_t) { return ++reports < 2; };
  }
  int reports = 0;
};

TEST_F(KeepCodesCommandTest, CancelDuringRenderingChangesNothing) {
  app_.importRequest.importType = kFormatDat;
  app_.importRequest.fileName = "/fonts/OLD.DAT";
  app_.importRequest.width = 12;
  app_.importRequest.height = 24;
  app_.importRequest.glyphBlock = ParsedGlyphBlock{1, Bytes(48, 0xAB)};
  app_.importRequest.bitmapCounts.kept = 7;
  CancellingPrompt prompt;
  EXPECT_FALSE(Import(prompt, KeepCodes()));
  EXPECT_GE(prompt.reports, 2);
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{msg::kImportTitle, "TrueType Font Faces"}));
  EXPECT_EQ(app_.importRequest.importType, kFormatDat);
  EXPECT_EQ(app_.importRequest.fileName, "/fonts/OLD.DAT");
  EXPECT_EQ(app_.importRequest.width, 12);
  EXPECT_EQ(app_.importRequest.glyphBlock.bytes, Bytes(48, 0xAB));
  EXPECT_EQ(app_.importRequest.bitmapCounts.kept, 7);
  EXPECT_EQ(command_.Settings().importPath, "/fonts");
}

}  // namespace
}  // namespace dotforge
