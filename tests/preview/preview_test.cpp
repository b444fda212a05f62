#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "escpos/png_writer.h"
#include "escpos/receipt_pictures.h"
#include "preview/glyph_index.h"
#include "preview/preview_encoding.h"
#include "preview/preview_render.h"
#include "preview/preview_text.h"
#include "preview/text_preview.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Codes = std::vector<std::uint32_t>;

// The text's lines of codes in `encoding`; the error text instead when it is refused.
std::vector<Codes> LinesOf(const std::string& text, const std::string& encoding = "CP437") {
  const std::optional<PreviewEncoder> encoder = PreviewEncoder::Open(encoding);
  EXPECT_TRUE(encoder) << encoding;
  if (!encoder) return {};
  const PreviewText parsed = ParsePreviewText(text, *encoder);
  EXPECT_TRUE(parsed.error.empty()) << parsed.error;
  return parsed.lines;
}

Codes CodesOf(const std::string& text, const std::string& encoding) {
  const std::vector<Codes> lines = LinesOf(text, encoding);
  EXPECT_EQ(lines.size(), 1u);
  return lines.empty() ? Codes{} : lines.front();
}

std::string ErrorOf(const std::string& text) {
  const PreviewText parsed = ParsePreviewText(text, *PreviewEncoder::Open("CP437"));
  EXPECT_TRUE(parsed.lines.empty());
  return parsed.error;
}

// The expected picture, pixel by pixel from the records: the cell under each
// pixel found by division, its dot read with the record's own Pixel, a missing
// character as the border dots of its cell.
DotImage PictureFromGlyphs(const CDotforgeImportDoc& doc, const std::vector<std::string>& lines, int zoom) {
  std::size_t longest = 1;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  DotImage picture;
  picture.width = static_cast<std::int32_t>(longest) * doc.width * zoom;
  picture.height = static_cast<std::int32_t>(lines.size()) * doc.height * zoom;
  for (std::int32_t py = 0; py < picture.height; ++py) {
    for (std::int32_t px = 0; px < picture.width; ++px) {
      const std::size_t row = static_cast<std::size_t>(py / (doc.height * zoom));
      const std::size_t column = static_cast<std::size_t>(px / (doc.width * zoom));
      const std::int32_t x = px / zoom % doc.width;
      const std::int32_t y = py / zoom % doc.height;
      bool black = false;
      if (column < lines[row].size()) {
        const std::string label = FormatLabel(static_cast<unsigned char>(lines[row][column]));
        const CharacterRecord* record = nullptr;
        for (const auto& candidate : doc.characters) {
          if (!record && candidate->label == label) record = candidate.get();
        }
        black = record ? record->Pixel(x, y)
                       : (x == 0 || y == 0 || x == doc.width - 1 || y == doc.height - 1);
      }
      picture.dots.push_back(black ? 1 : 0);
    }
  }
  return picture;
}

void ExpectSamePicture(const DotImage& actual, const DotImage& expected) {
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  for (std::int32_t y = 0; y < expected.height; ++y) {
    for (std::int32_t x = 0; x < expected.width; ++x) {
      ASSERT_EQ(actual.Black(x, y), expected.Black(x, y)) << "pixel " << x << "," << y;
    }
  }
}

TEST(PreviewRender, MatchesAPictureBuiltFromTheGlyphsAtOneAndThreeTimes) {
  // 10 x 14 cells with patterned glyphs; '?' and 'Z' are not in the set.
  const auto doc = test::MakeFontSet(10, 14, {0x41, 0x42, 0x43, 0x61});
  // A record of another size than its set is drawn from its own dots only.
  doc->AppendCharacter(0x62, 6, 5).bitmap = test::PatternCell(0x62, 6, 5);
  ++doc->characterCount;
  // A damaged record with fewer bytes than its size needs: drawn from the bytes it has.
  doc->characters[2]->bitmap.resize(5);
  const std::vector<std::string> lines = {"AB?b", "", "CaZ"};
  for (const int zoom : {1, 3}) {
    SCOPED_TRACE(zoom);
    const PreviewPicture picture = MakePreview(*doc, {"AB?b\n\nCaZ", "CP437", zoom});
    ASSERT_TRUE(picture.image) << picture.error;
    ExpectSamePicture(*picture.image, PictureFromGlyphs(*doc, lines, zoom));
  }
  // The missing box at 3x: its outline three pixels thick, white inside.
  const DotImage image = *MakePreview(*doc, {"?", "", 3}).image;
  EXPECT_EQ(image.width, 30);
  EXPECT_EQ(image.height, 42);
  EXPECT_TRUE(image.Black(0, 0) && image.Black(2, 2) && image.Black(29, 41) && image.Black(27, 20));
  EXPECT_FALSE(image.Black(3, 3) || image.Black(26, 38) || image.Black(15, 20));
}

TEST(PreviewRender, PngReadsBackAsThePicture) {
  const auto doc = test::MakeFontSet(8, 8, {0x41, 0x42});
  const PreviewPicture picture = MakePreview(*doc, {"AB\nBA?", "", 2});
  ASSERT_TRUE(picture.image);
  Bytes png;
  ASSERT_TRUE(EncodePng(*picture.image, png));
  std::int32_t width = 0, height = 0;
  const std::vector<std::uint8_t> dots = test::DecodePng(png, width, height);
  EXPECT_EQ(width, 48);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(dots, picture.image->dots);
  EXPECT_FALSE(EncodePng(DotImage{}, png));
}

TEST(PreviewRender, RefusesAPictureTooLargeAndReportsItsSize) {
  const auto doc = test::MakeFontSet(255, 255, {0x41});
  const PreviewPicture picture = MakePreview(*doc, {std::string(300, 'A'), "", 8});
  EXPECT_FALSE(picture.image);
  EXPECT_EQ(picture.failure, PreviewFailure::TooLarge);
  EXPECT_EQ(picture.error,
            "The preview would be 612000 x 2040 pixels, too large to draw: shorten the text or lower the zoom.");
  // The same text at 1x fits.
  EXPECT_TRUE(MakePreview(*doc, {std::string(300, 'A'), "", 1}).image);
}

TEST(GlyphIndex, FindsEveryCodeOfAFullDoubleByteSetAndTheFirstOfTwins) {
  const auto doc = test::MakeFontSet(2, 2, test::CodeRange(0x20, 0xFFFF), kDoubleByteFont);
  ASSERT_EQ(doc->characters.size(), 65504u);
  const GlyphIndex index(*doc);
  for (std::size_t i = 0; i < doc->characters.size(); ++i) {
    ASSERT_EQ(index.Find(static_cast<std::uint32_t>(doc->codes[i])), doc->characters[i].get());
  }
  EXPECT_EQ(index.Find(0x1F), nullptr);
  EXPECT_EQ(index.Find(0x10000), nullptr);
  EXPECT_EQ(index.Find(kNoCode), nullptr);

  const auto twins = test::MakeFontSet(4, 4, {0x41, 0x42, 0x41});
  const GlyphIndex twinIndex(*twins);
  EXPECT_EQ(twinIndex.Find(0x41), twins->characters[0].get());
  EXPECT_EQ(twinIndex.Find(0x43), nullptr);
}

TEST(PreviewText, SingleByteCodePagesGiveTheirBytes) {
  EXPECT_EQ(CodesOf("Aé½", "CP437"), (Codes{0x41, 0x82, 0xAB}));
  // The euro sign: not in CP437 (a missing box), 0xD5 in CP858, 0x80 in CP1252, 0xA4 in ISO-8859-15.
  EXPECT_EQ(CodesOf("€", "CP437"), Codes{kNoCode});
  EXPECT_EQ(CodesOf("€", "CP858"), Codes{0xD5});
  EXPECT_EQ(CodesOf("€", "CP1252"), Codes{0x80});
  EXPECT_EQ(CodesOf("€", "ISO-8859-15"), Codes{0xA4});
  EXPECT_EQ(CodesOf("ő", "ISO-8859-2"), Codes{0xF5});
  EXPECT_EQ(CodesOf("ő", "ISO-8859-1"), Codes{kNoCode});
  EXPECT_EQ(CodesOf("é", "CP850"), Codes{0x82});
}

TEST(PreviewText, DoubleByteCodePagesGiveBigEndianCodesAndKeepSingleBytes) {
  EXPECT_EQ(CodesOf("A\u3000", "SHIFT_JIS"), (Codes{0x41, 0x8140}));
  EXPECT_EQ(CodesOf("\uFF71", "SHIFT_JIS"), Codes{0xB1});  // half-width katakana: one byte
  EXPECT_EQ(CodesOf("中", "GBK"), Codes{0xD6D0});
  EXPECT_EQ(CodesOf("中", "GB18030"), Codes{0xD6D0});
  EXPECT_EQ(CodesOf("\U0001F600", "GB18030"), Codes{kNoCode});  // four bytes: no printer code
  EXPECT_EQ(CodesOf("中", "BIG5"), Codes{0xA4A4});
  EXPECT_EQ(CodesOf("가", "EUC-KR"), Codes{0xB0A1});
  EXPECT_EQ(CodesOf("가", "SHIFT_JIS"), Codes{kNoCode});
}

TEST(PreviewText, Utf16GivesCodeUnitsWithSurrogatePairs) {
  EXPECT_EQ(CodesOf("Aé中", "UTF-16"), (Codes{0x41, 0xE9, 0x4E2D}));
  EXPECT_EQ(CodesOf("\U0001F600", "utf-16"), (Codes{0xD83D, 0xDE00}));
  EXPECT_EQ(CodesOf("\U0010FFFF", "UTF-16"), (Codes{0xDBFF, 0xDFFF}));
}

TEST(PreviewText, EscapesGiveCodesDirectly) {
  EXPECT_EQ(CodesOf("\\x8140", "SHIFT_JIS"), Codes{0x8140});
  EXPECT_EQ(CodesOf("\\x41", "CP437"), Codes{0x41});
  // Four digits are taken when four follow; two when fewer do.
  EXPECT_EQ(CodesOf("\\x41BC", "CP437"), Codes{0x41BC});
  EXPECT_EQ(CodesOf("\\x41BZ", "CP437"), (Codes{0x41, 0x42, 0x5A}));
  EXPECT_EQ(CodesOf("\\x0041B", "CP437"), (Codes{0x41, 0x42}));
  EXPECT_EQ(CodesOf("a\\\\b\\x5c", "CP437"), (Codes{0x61, 0x5C, 0x62, 0x5C}));
  EXPECT_EQ(CodesOf("\\xffff\\x00", "UTF-16"), (Codes{0xFFFF, 0x00}));
}

TEST(PreviewText, LineBreaksStartNewLines) {
  EXPECT_EQ(LinesOf("AB\nC"), (std::vector<Codes>{{0x41, 0x42}, {0x43}}));
  EXPECT_EQ(LinesOf("A\r\nB\rC\\nD"), (std::vector<Codes>{{0x41}, {0x42}, {0x43}, {0x44}}));
  EXPECT_EQ(LinesOf("\n\n"), (std::vector<Codes>{{}, {}, {}}));
  EXPECT_EQ(LinesOf(""), (std::vector<Codes>{{}}));
  EXPECT_TRUE(ParsePreviewText("\n", *PreviewEncoder::Open("CP437")).Empty());
  EXPECT_FALSE(ParsePreviewText("\n\\x20", *PreviewEncoder::Open("CP437")).Empty());
}

TEST(PreviewText, BytesThatAreNoUtf8AreMissingBoxes) {
  // A stray continuation byte, a cut sequence, an overlong form, an encoded surrogate.
  EXPECT_EQ(CodesOf("A\x80" "B", "CP437"), (Codes{0x41, kNoCode, 0x42}));
  EXPECT_EQ(CodesOf("A\xE4\xB8", "UTF-16"), (Codes{0x41, kNoCode, kNoCode}));
  EXPECT_EQ(CodesOf("\xC0\xAF", "UTF-16"), (Codes{kNoCode, kNoCode}));
  EXPECT_EQ(CodesOf("\xED\xA0\x80", "UTF-16"), (Codes{kNoCode, kNoCode, kNoCode}));
}

TEST(PreviewText, BadEscapesAreRefusedNamingWhereTheyAre) {
  EXPECT_EQ(ErrorOf("ab\\q"),
            "Bad escape at character 3: \\q. Write \\xHH or \\xHHHH for a code, \\n for a new line, \\\\ for a "
            "backslash.");
  EXPECT_NE(ErrorOf("\\x4").find("at character 1: \\x4."), std::string::npos);
  EXPECT_NE(ErrorOf("é\\xZZ").find("at character 2: \\x."), std::string::npos);
  EXPECT_NE(ErrorOf("A\nB\\").find("at character 4: \\."), std::string::npos);
  EXPECT_NE(ErrorOf("\\é").find("at character 1: \\é."), std::string::npos);
}

TEST(PreviewEncoding, KnowsTheOfferedEncodingsAndRefusesUnknownOnes) {
  for (const std::int32_t type : {kSingleByteFont, kDoubleByteFont}) {
    for (const std::string& name : PreviewEncodings(type)) EXPECT_TRUE(PreviewEncoder::Open(name)) << name;
  }
  EXPECT_EQ(PreviewEncodings(kSingleByteFont).front(), "CP437");
  EXPECT_EQ(PreviewEncodings(kDoubleByteFont).front(), "UTF-16");
  EXPECT_FALSE(PreviewEncoder::Open("NO-SUCH-CODE-PAGE"));
  const auto doc = test::MakeFontSet(8, 8, {0x41});
  const PreviewPicture picture = MakePreview(*doc, {"A", "KLINGON", 1});
  EXPECT_EQ(picture.failure, PreviewFailure::UnknownEncoding);
  EXPECT_EQ(picture.error, "The encoding KLINGON is not known.");
}

}  // namespace
}  // namespace dotforge
