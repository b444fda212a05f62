#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "formats/font_files.h"
#include "formats/formats_messages.h"
#include "formats/outline/glyph_renderer.h"
#include "formats/commands/export_command.h"
#include "formats/commands/import_command.h"
#include "formats/outline/outline_font_importer.h"
#include "framework/scripted_prompt.h"
#include "model/character_record.h"
#include "model/glyph_block.h"
#include "model/model_messages.h"
#include "model/open_font_set.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

constexpr const char* kFacesDialog = "TrueType Font Faces";

// A rendered cell as a record, for pixel access.
CharacterRecord Cell(const OutlineFontImporter& importer, const ParsedGlyphBlock& block, FT_ULong code) {
  const auto& codes = importer.Codes();
  const auto found = std::find(codes.begin(), codes.end(), code);
  EXPECT_NE(found, codes.end()) << code;
  CharacterRecord record(importer.Width(), importer.Height());
  const std::size_t index = static_cast<std::size_t>(found - codes.begin());
  const auto begin = block.bytes.begin() + static_cast<std::ptrdiff_t>(index * record.bitmap.size());
  std::copy(begin, begin + static_cast<std::ptrdiff_t>(record.bitmap.size()), record.bitmap.begin());
  return record;
}

bool RowHasInk(const CharacterRecord& cell, std::int32_t y) {
  for (std::int32_t x = 0; x < cell.width; ++x) {
    if (cell.Pixel(x, y)) return true;
  }
  return false;
}

bool ColumnHasInk(const CharacterRecord& cell, std::int32_t x) {
  for (std::int32_t y = 0; y < cell.height; ++y) {
    if (cell.Pixel(x, y)) return true;
  }
  return false;
}

// Blank rows above and below the ink, blank columns left and right of it.
struct Margins {
  int top = 0, bottom = 0, left = 0, right = 0;
};

Margins InkMargins(const CharacterRecord& cell) {
  Margins m;
  while (m.top < cell.height && !RowHasInk(cell, m.top)) ++m.top;
  while (m.bottom < cell.height && !RowHasInk(cell, cell.height - 1 - m.bottom)) ++m.bottom;
  while (m.left < cell.width && !ColumnHasInk(cell, m.left)) ++m.left;
  while (m.right < cell.width && !ColumnHasInk(cell, cell.width - 1 - m.right)) ++m.right;
  return m;
}

// The request of an outline import of `path` into `width` x `height` cells.
ImportRequest OutlineRequest(const std::filesystem::path& path, std::int32_t width, std::int32_t height) {
  ImportRequest request;
  request.importType = kFormatOutline;
  request.fileName = path;
  request.width = width;
  request.height = height;
  return request;
}

class OutlineImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sans_ = test::DejaVuFont("DejaVuSans.ttf");
    if (sans_.empty()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  }

  // Opens `path`, answers the faces dialog with `answer` and renders.
  std::optional<ParsedGlyphBlock> Render(OutlineFontImporter& importer, const std::filesystem::path& path,
                                         FontFacesAnswer answer, unsigned threads = 0) {
    if (!importer.OpenFontFile(path, prompt_)) return std::nullopt;
    if (importer.ConfirmFaces(answer, prompt_) != OutlineFontImporter::FacesChoice::Accepted) return std::nullopt;
    if (!importer.RenderCharacters(prompt_, threads)) return std::nullopt;
    return importer.TakeBlock();
  }

  std::filesystem::path sans_;
  ScriptedPrompt prompt_;
  test::TempDir dir_;
};

TEST_F(OutlineImportTest, FacesOfASingleFaceFile) {
  OutlineFontImporter importer(12, 24);
  ASSERT_TRUE(importer.OpenFontFile(sans_, prompt_));
  const FontFacesRequest contents = importer.FacesDialogContents();
  EXPECT_EQ(contents.faces, std::vector<std::string>{"DejaVu Sans - Book"});
  ASSERT_EQ(contents.charmaps.size(), 1u);
  EXPECT_EQ(contents.charmaps[0], (std::vector<std::string>{"unicode encoding", "unicode encoding",
                                                             "apple roman encoding", "unicode encoding",
                                                             "unicode encoding"}));
  EXPECT_TRUE(prompt_.Entries().empty());
}

TEST_F(OutlineImportTest, CollectionListsEveryFaceWithItsOwnMaps) {
  const std::filesystem::path serif = test::DejaVuFont("DejaVuSerif-Bold.ttf");
  ASSERT_FALSE(serif.empty());
  test::WriteBytes(dir_ / "PAIR.TTC",
                   test::MakeCollection({test::ReadBytes(sans_), test::KeepCharmaps(test::ReadBytes(serif), 2)}));
  OutlineFontImporter importer(16, 16);
  ASSERT_TRUE(importer.OpenFontFile(dir_ / "PAIR.TTC", prompt_));
  const FontFacesRequest contents = importer.FacesDialogContents();
  EXPECT_EQ(contents.faces, (std::vector<std::string>{"DejaVu Sans - Book", "DejaVu Serif - Bold"}));
  ASSERT_EQ(contents.charmaps.size(), 2u);
  EXPECT_EQ(contents.charmaps[0].size(), 5u);
  EXPECT_EQ(contents.charmaps[1], (std::vector<std::string>{"unicode encoding", "unicode encoding"}));

  // The second face has no map 4: refused, and the dialog stays open.
  EXPECT_EQ(importer.ConfirmFaces({1, 4}, prompt_), OutlineFontImporter::FacesChoice::StayInDialog);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kSelectCharmap});
  EXPECT_EQ(prompt_.Entries()[0].kind, MessageKind::Warning);
  EXPECT_EQ(importer.ConfirmFaces({1, 1}, prompt_), OutlineFontImporter::FacesChoice::Accepted);
  EXPECT_GT(importer.CharacterCount(), 3000);
  ASSERT_TRUE(importer.RenderCharacters(prompt_));
  EXPECT_EQ(importer.TakeBlock().bytes.size(), static_cast<std::size_t>(importer.CharacterCount()) * 32);
}

TEST_F(OutlineImportTest, SpaceIsBlankAndKeepsItsPlace) {
  OutlineFontImporter importer(12, 24);
  const std::optional<ParsedGlyphBlock> block = Render(importer, sans_, {0, 0});
  ASSERT_TRUE(block);
  EXPECT_EQ(block->characterCount, static_cast<std::int32_t>(importer.Codes().size()));
  EXPECT_EQ(block->bytes.size(), importer.Codes().size() * 48);
  EXPECT_TRUE(std::is_sorted(importer.Codes().begin(), importer.Codes().end()));
  const CharacterRecord space = Cell(importer, *block, ' ');
  EXPECT_TRUE(std::all_of(space.bitmap.begin(), space.bitmap.end(), [](std::uint8_t b) { return b == 0; }));
  const CharacterRecord bang = Cell(importer, *block, '!');
  EXPECT_TRUE(std::any_of(bang.bitmap.begin(), bang.bitmap.end(), [](std::uint8_t b) { return b != 0; }));
  EXPECT_TRUE(prompt_.Entries().empty());
}

TEST_F(OutlineImportTest, PlacementInTheCell) {
  OutlineFontImporter importer(24, 24);
  const std::optional<ParsedGlyphBlock> block = Render(importer, sans_, {0, 0});
  ASSERT_TRUE(block);
  // 'g' reaches more than 3 pixels below the baseline: it sits on the bottom edge.
  EXPECT_EQ(InkMargins(Cell(importer, *block, 'g')).bottom, 0);
  // 'o' and 'I' are centred both ways.
  for (const FT_ULong code : {FT_ULong{'o'}, FT_ULong{'I'}}) {
    const Margins m = InkMargins(Cell(importer, *block, code));
    EXPECT_LE(std::abs(m.top - m.bottom), 1) << code;
    EXPECT_LE(std::abs(m.left - m.right), 1) << code;
    EXPECT_GT(m.bottom, 0) << code;
  }
  // The per-ten-thousand sign is wider than the cell: centred and cut on both sides.
  const Margins wide = InkMargins(Cell(importer, *block, 0x2031));
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.right, 0);
  EXPECT_GT(wide.top, 0);
}

TEST_F(OutlineImportTest, CellSizeScalesEachDirection) {
  // The em square takes the cell's width and height: halving the width halves
  // the ink width and keeps the ink height.
  OutlineFontImporter narrow(12, 24);
  OutlineFontImporter square(24, 24);
  const std::optional<ParsedGlyphBlock> narrowBlock = Render(narrow, sans_, {0, 0});
  const std::optional<ParsedGlyphBlock> squareBlock = Render(square, sans_, {0, 0});
  ASSERT_TRUE(narrowBlock && squareBlock);
  const Margins n = InkMargins(Cell(narrow, *narrowBlock, 'M'));
  const Margins s = InkMargins(Cell(square, *squareBlock, 'M'));
  EXPECT_EQ(24 - n.top - n.bottom, 24 - s.top - s.bottom);
  EXPECT_NEAR(2 * (12 - n.left - n.right), 24 - s.left - s.right, 2);
  EXPECT_GT(24 - s.left - s.right, 12);
}

TEST_F(OutlineImportTest, ThreadsGiveTheSameCells) {
  OutlineFontImporter one(16, 20);
  const std::optional<ParsedGlyphBlock> serial = Render(one, sans_, {0, 3}, 1);
  ASSERT_TRUE(serial);
  for (const unsigned threads : {2u, 3u, 7u}) {
    OutlineFontImporter many(16, 20);
    const std::optional<ParsedGlyphBlock> parallel = Render(many, sans_, {0, 3}, threads);
    ASSERT_TRUE(parallel);
    EXPECT_EQ(parallel->characterCount, serial->characterCount);
    EXPECT_TRUE(parallel->bytes == serial->bytes) << threads << " threads";
  }
}

TEST_F(OutlineImportTest, BitmapOnlyFontsAreCopiedWithTheSameRule) {
  std::ofstream(dir_ / "small.bdf") << test::SmallBdfFont();
  OutlineFontImporter importer(8, 10);
  const std::optional<ParsedGlyphBlock> block = Render(importer, dir_ / "small.bdf", {0, 0});
  ASSERT_TRUE(block) << (prompt_.Texts().empty() ? "" : prompt_.Texts().back());
  EXPECT_EQ(importer.Codes(), (std::vector<FT_ULong>{'A', 'j'}));
  // 'A' (5 x 6) centred: one column to the left, two rows above and below.
  const CharacterRecord a = Cell(importer, *block, 'A');
  EXPECT_EQ(a.bitmap, (Bytes{0x00, 0x00, 0x10, 0x28, 0x44, 0x7C, 0x44, 0x44, 0x00, 0x00}));
  // 'j' reaches 4 dots below the baseline: it sits on the bottom edge.
  const CharacterRecord j = Cell(importer, *block, 'j');
  EXPECT_EQ(j.bitmap, (Bytes{0x00, 0x00, 0x08, 0x00, 0x08, 0x08, 0x08, 0x08, 0x08, 0x30}));
}

TEST_F(OutlineImportTest, FaceWithoutCharacterMapsGivesBlankCells) {
  test::WriteBytes(dir_ / "NOMAP.TTF", test::WithoutCharmaps(test::ReadBytes(sans_)));
  OutlineFontImporter importer(8, 8);
  ASSERT_TRUE(importer.OpenFontFile(dir_ / "NOMAP.TTF", prompt_));
  EXPECT_TRUE(importer.FacesDialogContents().charmaps.at(0).empty());
  ASSERT_EQ(importer.ConfirmFaces({0, -1}, prompt_), OutlineFontImporter::FacesChoice::Accepted);
  ASSERT_TRUE(importer.RenderCharacters(prompt_));
  const ParsedGlyphBlock block = importer.TakeBlock();
  EXPECT_EQ(block.characterCount, 6253);
  EXPECT_EQ(block.bytes, Bytes(6253 * 8, 0));
}

TEST_F(OutlineImportTest, DialogAnswersAreCheckedAndAskedAgain) {
  prompt_.QueueFontFacesDialog(FontFacesAnswer{-1, 0});
  prompt_.QueueFontFacesDialog(FontFacesAnswer{0, -1});
  prompt_.QueueFontFacesDialog(FontFacesAnswer{0, 5});
  prompt_.QueueFontFacesDialog(FontFacesAnswer{0, 0});
  ImportRequest request = OutlineRequest(sans_, 8, 8);
  ASSERT_TRUE(ImportOutlineFont(request, prompt_));
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{kFacesDialog, msg::kSelectFontFace, kFacesDialog,
                                                       msg::kSelectCharmap, kFacesDialog, msg::kSelectCharmap,
                                                       kFacesDialog}));
  EXPECT_EQ(prompt_.FontFacesRequests().at(0).faces.size(), 1u);
}

TEST_F(OutlineImportTest, CancelOpensNothingAndSaysNothing) {
  ImportRequest request = OutlineRequest(sans_, 8, 8);
  EXPECT_FALSE(ImportOutlineFont(request, prompt_));
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{kFacesDialog});
}

TEST_F(OutlineImportTest, FilesThatDoNotOpen) {
  ImportRequest none = OutlineRequest(dir_ / "NONE.TTF", 8, 8);
  EXPECT_FALSE(ImportOutlineFont(none, prompt_));
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kFontOpenFailed});
  prompt_.Clear();
  std::ofstream(dir_ / "TEXT.TTF") << "not a font at all";
  ImportRequest text = OutlineRequest(dir_ / "TEXT.TTF", 8, 8);
  EXPECT_FALSE(ImportOutlineFont(text, prompt_));
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kFontFormatNotSupported});
}

TEST_F(OutlineImportTest, FaceGoneAtOkEndsTheImport) {
  std::filesystem::copy_file(sans_, dir_ / "GONE.TTF");
  OutlineFontImporter importer(8, 8);
  ASSERT_TRUE(importer.OpenFontFile(dir_ / "GONE.TTF", prompt_));
  importer.FacesDialogContents();
  std::filesystem::remove(dir_ / "GONE.TTF");
  EXPECT_EQ(importer.ConfirmFaces({0, 0}, prompt_), OutlineFontImporter::FacesChoice::Failed);
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kFontOpenFailed});
  EXPECT_FALSE(importer.RenderCharacters(prompt_));
}

TEST(GlyphPlacement, CentredUnlessDeep) {
  // Cell 12 x 24 (768 x 1536 in 1/64 pixel).
  const FT_BBox centred{64, -192, 640, 1000};  // exactly 3 pixels below: not deep
  const FT_Vector c = OutlinePlacement(centred, 12, 24);
  EXPECT_EQ(c.x, (768 - 576) / 2 - 64);
  EXPECT_EQ(c.y, (1536 - 1192) / 2 + 192);
  const FT_BBox deep{0, -256, 500, 1000};
  EXPECT_EQ(OutlinePlacement(deep, 12, 24).y, 256);  // its bottom on the cell's bottom edge
  // Larger than the cell: negative offsets, truncated towards zero.
  const FT_BBox wide{0, 0, 1000, 2001};
  const FT_Vector w = OutlinePlacement(wide, 12, 24);
  EXPECT_EQ(w.x, -116);
  EXPECT_EQ(w.y, -232);
}

// A prompt whose progress callback records every report and cancels once
// `cancelAt` characters are done.
class ProgressPrompt : public ScriptedPrompt {
 public:
  explicit ProgressPrompt(std::optional<std::size_t> cancelAt = std::nullopt) : cancelAt_(cancelAt) {}
  ProgressCallback StartProgress(std::string_view label) override {
    labels.emplace_back(label);
    return [this](std::size_t done, std::size_t total) {
      reports.emplace_back(done, total);
      return !cancelAt_ || done < *cancelAt_;
    };
  }
  std::vector<std::string> labels;
  std::vector<std::pair<std::size_t, std::size_t>> reports;

 private:
  std::optional<std::size_t> cancelAt_;
};

class OutlineImportCommandTest : public ::testing::Test {
 protected:
  // Writes a BDF font of `count` characters and imports it as a user would:
  // the import dialog with a 4 x 1 cell, the first face and map.
  bool ImportMany(int count, ProgressPrompt& prompt) {
    std::ofstream(dir_ / "MANY.BDF") << test::ManyCharactersBdfFont(count);
    prompt.QueueImportDialog(ImportDialogAnswer{(dir_ / "MANY.BDF").string(), kOutlinePosition, 4, 1, 0, "*.TTF", {}});
    prompt.QueueFontFacesDialog(FontFacesAnswer{0, 0});
    return command_.Run(app_, prompt, [](const std::string&) { return false; });
  }

  static constexpr int kOutlinePosition = 9;
  test::TempDir dir_;
  AppValues app_;
  ImportCommand command_{"/fonts"};
};

// A face mapping 70,000 characters: the import stops at code 0xFFFF and says how
// many were left out; the font set then saves and reads back without a wrapped
// count or a cut code.
TEST_F(OutlineImportCommandTest, SeventyThousandCharactersStopAtCode0xFFFF) {
  const std::filesystem::path sans = test::DejaVuFont("DejaVuSans.ttf");
  if (sans.empty()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  constexpr std::uint32_t kGlyphOfA = 36;
  test::WriteBytes(dir_ / "MANY.TTF", test::WithManyToOneCharmap(test::ReadBytes(sans), 0x20, 70000, kGlyphOfA));
  ProgressPrompt prompt;
  prompt.QueueImportDialog(ImportDialogAnswer{(dir_ / "MANY.TTF").string(), kOutlinePosition, 8, 8, 0, "*.TTF", {}});
  prompt.QueueFontFacesDialog(FontFacesAnswer{0, 0});
  ASSERT_TRUE(command_.Run(app_, prompt, [](const std::string&) { return false; }));
  const std::size_t kept = 0xFFFF - 0x20 + 1;
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{msg::kImportTitle, kFacesDialog,
                                                      std::to_string(70000 - kept) + msg::kCharactersLeftOut}));
  auto doc = OpenImportedFontSet(app_, prompt);
  ASSERT_EQ(doc->characters.size(), kept);
  EXPECT_EQ(doc->characterCount, static_cast<std::int32_t>(kept));
  EXPECT_EQ(doc->codes.back(), 0xFFFF);
  EXPECT_EQ(doc->characters.back()->label, "FFFF");
  EXPECT_EQ(doc->characters.back()->bitmap, doc->characters.front()->bitmap);
  EXPECT_NE(doc->characters.back()->bitmap, Bytes(8, 0));

  ExportCommand exporter;
  doc->SetTitle("MANY.DAT");
  for (const auto& [name, format] : std::vector<std::pair<std::string, int>>{
           {"MANY.DAT", kFormatDat}, {"MANY.DDB", kFormatDdb}, {"MANY.C", kFormatSt10}}) {
    prompt.Clear();
    prompt.QueueExportDialog(ExportDialogAnswer{(dir_ / name).string(), format + 1, 0, '4', {}, {}});
    EXPECT_EQ(exporter.Run(*doc, app_.importRequest, prompt), ExportOutcome::Written) << name;
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kExportTitle}) << name;
  }
  for (const auto& [name, format] : std::vector<std::pair<std::string, int>>{{"MANY.DAT", kFormatDat},
                                                                          {"MANY.DDB", kFormatDdb}}) {
    ImportRequest request;
    request.importType = format;
    request.fileName = dir_ / name;
    CDotforgeImportDoc back;
    prompt.Clear();
    OpenFontSet(back, request, prompt);
    EXPECT_TRUE(prompt.Texts().empty()) << name;
    EXPECT_EQ(back.characterCount, static_cast<std::int32_t>(kept)) << name;
    ASSERT_EQ(back.codes.size(), kept) << name;
    EXPECT_EQ(back.codes.back(), 0xFFFF) << name;
    EXPECT_TRUE(std::is_sorted(back.codes.begin(), back.codes.end())) << name;
  }
  const Bytes source = test::ReadBytes(dir_ / "MANY.C");
  const std::string text(source.begin(), source.end());
  EXPECT_NE(text.find("// 0xFFFF:"), std::string::npos);
  EXPECT_EQ(text.find("// 0x0000:"), std::string::npos);
}

// A bitmap font with as many characters as FreeType lets a BDF face hold
// (65,535): the cells keep the order of the map up to code 0xFFFF.
TEST_F(OutlineImportCommandTest, BitmapFontCellsKeepTheirOrderUpTo0xFFFF) {
  ProgressPrompt prompt;
  ASSERT_TRUE(ImportMany(65535, prompt));
  EXPECT_EQ(prompt.Texts().back(), std::to_string(65535 - 65504) + msg::kCharactersLeftOut);
  auto doc = OpenImportedFontSet(app_, prompt);
  ASSERT_EQ(doc->characters.size(), 65504u);
  // Cell i is the character of code 0x20 + i: its dot is in column code % 4.
  EXPECT_EQ(doc->characters.front()->bitmap, Bytes{0x80});
  EXPECT_EQ(doc->characters[1]->bitmap, Bytes{0x40});
  EXPECT_EQ(doc->characters.back()->bitmap, Bytes{0x10});
}

TEST_F(OutlineImportCommandTest, ProgressIsReportedUpToTheLastCharacter) {
  ProgressPrompt prompt;
  ASSERT_TRUE(ImportMany(3000, prompt));
  EXPECT_EQ(prompt.labels, std::vector<std::string>{msg::kRenderingCharacters});
  ASSERT_GE(prompt.reports.size(), 2u);
  EXPECT_EQ(prompt.reports.front(), (std::pair<std::size_t, std::size_t>{0, 3000}));
  EXPECT_EQ(prompt.reports.back(), (std::pair<std::size_t, std::size_t>{3000, 3000}));
  for (std::size_t i = 1; i < prompt.reports.size(); ++i) {
    EXPECT_LE(prompt.reports[i - 1].first, prompt.reports[i].first);
    EXPECT_EQ(prompt.reports[i].second, 3000u);
  }
}

// Cancel while the characters render: nothing opens, nothing is said, and the
// next import dialog offers what it offered before.
TEST_F(OutlineImportCommandTest, CancelDuringRenderingChangesNothing) {
  app_.importRequest.importType = kFormatDat;
  app_.importRequest.fileName = "/fonts/OLD.DAT";
  app_.importRequest.width = 12;
  app_.importRequest.height = 24;
  app_.importRequest.glyphBlock = ParsedGlyphBlock{1, Bytes(48, 0xAB)};
  ProgressPrompt prompt(std::size_t{128});
  EXPECT_FALSE(ImportMany(3000, prompt));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{msg::kImportTitle, kFacesDialog}));
  ASSERT_FALSE(prompt.reports.empty());
  EXPECT_LT(prompt.reports.back().first, 3000u) << "rendering stopped early";
  EXPECT_EQ(app_.importRequest.importType, kFormatDat);
  EXPECT_EQ(app_.importRequest.fileName, "/fonts/OLD.DAT");
  EXPECT_EQ(app_.importRequest.width, 12);
  EXPECT_EQ(app_.importRequest.height, 24);
  EXPECT_EQ(app_.importRequest.glyphBlock.characterCount, 1);
  EXPECT_EQ(command_.Settings().importPath, "/fonts");
  EXPECT_EQ(command_.Settings().dialogType, -1);

  prompt.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(command_.Run(app_, prompt, [](const std::string&) { return false; }));
  EXPECT_EQ(prompt.ImportRequests().back().initialFolder, "/fonts");
  EXPECT_EQ(prompt.ImportRequests().back().width, 12);
}

TEST_F(OutlineImportCommandTest, CancelledRenderingGivesNoBlock) {
  std::ofstream(dir_ / "MANY.BDF") << test::ManyCharactersBdfFont(2000);
  ScriptedPrompt prompt;
  OutlineFontImporter importer(4, 1);
  ASSERT_TRUE(importer.OpenFontFile(dir_ / "MANY.BDF", prompt));
  ASSERT_EQ(importer.ConfirmFaces({0, 0}, prompt), OutlineFontImporter::FacesChoice::Accepted);
  std::size_t calls = 0;
  EXPECT_FALSE(importer.RenderCharacters(prompt, 2, [&](std::size_t, std::size_t) { return ++calls < 2; }));
  EXPECT_TRUE(importer.Cancelled());
  EXPECT_TRUE(importer.TakeBlock().bytes.empty());
  EXPECT_TRUE(prompt.Texts().empty());
}

}  // namespace
}  // namespace dotforge
