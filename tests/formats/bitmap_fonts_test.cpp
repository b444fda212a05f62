#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "formats/bitmap/bitmap_cell_placement.h"
#include "formats/bitmap/bitmap_code_rules.h"
#include "formats/codepages/code_page_encoder.h"
#include "formats/codepages/code_ranges.h"
#include "formats/format_table.h"
#include "formats/formats_messages.h"
#include "formats/bitmap/freetype_bitmap_reader.h"
#include "formats/bitmap/gzip_bytes.h"
#include "formats/bitmap/psf_reader.h"
#include "formats/bitmap/unifont_hex_reader.h"
#include "model/font_set.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

void PutU32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A PSF2 font of `count` 10 x 3 glyphs (2 bytes a row), glyph i filled with i,
// followed by `table`.
Bytes Psf2(std::uint32_t count, bool hasTable, const Bytes& table) {
  Bytes out = {0x72, 0xB5, 0x4A, 0x86};
  for (const std::uint32_t value : {0u, 32u, hasTable ? 1u : 0u, count, 6u, 3u, 10u}) PutU32(out, value);
  for (std::uint32_t i = 0; i < count; ++i) out.insert(out.end(), 6, static_cast<std::uint8_t>(i));
  out.insert(out.end(), table.begin(), table.end());
  return out;
}

std::vector<std::uint32_t> Codes(const BitmapFont& font) {
  std::vector<std::uint32_t> codes;
  for (const BitmapGlyph& glyph : font.glyphs) codes.push_back(glyph.code);
  return codes;
}

TEST(PsfReader, Psf2TableGivesEveryCodePointAndLeavesSequencesOut) {
  // Glyph 0: 'A' and U+00C9 (two UTF-8 bytes); glyph 1: U+3042, then a sequence
  // 'e' + U+0301; glyph 2: no code.
  const Bytes table = {'A', 0xC3, 0x89, 0xFF, 0xE3, 0x81, 0x82, 0xFE, 'e', 0xCC, 0x81, 0xFF, 0xFF};
  std::string problem;
  const std::optional<BitmapFont> font = ReadPsfFont(Psf2(3, true, table), problem);
  ASSERT_TRUE(font) << problem;
  EXPECT_TRUE(font->unicodeCodes);
  EXPECT_EQ(font->ascent, 3);
  EXPECT_EQ(font->descent, 0);
  EXPECT_EQ(Codes(*font), (std::vector<std::uint32_t>{0x41, 0xC9, 0x3042}));
  EXPECT_EQ(font->glyphs[1].rows, Bytes(6, 0));
  EXPECT_EQ(font->glyphs[2].rows, Bytes(6, 1));
  EXPECT_EQ(font->glyphs[2].width, 10);
  EXPECT_EQ(font->glyphs[2].yoff, 0);
}

TEST(PsfReader, WithoutTableCodesAreIndexesAndNotUnicode) {
  std::string problem;
  const std::optional<BitmapFont> font = ReadPsfFont(Psf2(3, false, {}), problem);
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->unicodeCodes);
  EXPECT_EQ(Codes(*font), (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(PsfReader, Psf1TableOfSixteenBitCodes) {
  Bytes file = {0x36, 0x04, 0x02, 2};  // 256 glyphs of 8 x 2 with a table
  for (int i = 0; i < 256; ++i) file.insert(file.end(), {static_cast<std::uint8_t>(i), 0x81});
  file.insert(file.end(), {0xFF, 0xFF});              // glyph 0: nothing
  file.insert(file.end(), {0x41, 0x00, 0x91, 0x03, 0xFF, 0xFF});  // glyph 1: 'A', U+0391
  for (int i = 2; i < 256; ++i) file.insert(file.end(), {0xFF, 0xFF});
  std::string problem;
  const std::optional<BitmapFont> font = ReadPsfFont(file, problem);
  ASSERT_TRUE(font) << problem;
  EXPECT_EQ(Codes(*font), (std::vector<std::uint32_t>{0x41, 0x391}));
  EXPECT_EQ(font->glyphs[0].rows, (Bytes{1, 0x81}));
  EXPECT_EQ(font->glyphs[0].width, 8);
}

TEST(PsfReader, DamagedFilesAreRefusedWithTheirReason) {
  std::string problem;
  Bytes cut = Psf2(3, false, {});
  cut.pop_back();
  EXPECT_FALSE(ReadPsfFont(cut, problem));
  EXPECT_EQ(problem, msg::kPsfGlyphsEndEarly);
  EXPECT_FALSE(ReadPsfFont(Bytes(cut.begin(), cut.begin() + 20), problem));
  EXPECT_EQ(problem, msg::kPsfHeaderDamaged);
  Bytes huge = Psf2(1, false, {});
  huge[16] = 0xFF;  // a glyph count of billions in a tiny file
  huge[17] = 0xFF;
  huge[18] = 0xFF;
  EXPECT_FALSE(ReadPsfFont(huge, problem));
  EXPECT_EQ(problem, msg::kPsfGlyphsEndEarly);
  // A Unicode table cut inside the second glyph's entry.
  EXPECT_FALSE(ReadPsfFont(Psf2(3, true, {'A', 0xFF, 'B'}), problem));
  EXPECT_EQ(problem, msg::kPsfTableEndsEarly);
  EXPECT_FALSE(ReadPsfFont(AsBytes("not a font"), problem));
  EXPECT_EQ(problem, msg::kNotPsfFont);
}

TEST(UnifontHexReader, NarrowAndWideLinesWithTheirMetrics) {
  const std::string text =
      "0041:0000000018242442427E424242420000\r\n"
      "\n"
      "4E00:0000000000000000000000000000FFFE00000000000000000000000000000000\n";
  std::string problem;
  const std::optional<BitmapFont> font = ReadUnifontHex(AsBytes(text), problem);
  ASSERT_TRUE(font) << problem;
  EXPECT_EQ(font->ascent, 14);
  EXPECT_EQ(font->descent, 2);
  ASSERT_EQ(font->glyphs.size(), 2u);
  EXPECT_EQ(font->glyphs[0].code, 0x41u);
  EXPECT_EQ(font->glyphs[0].width, 8);
  EXPECT_EQ(font->glyphs[0].yoff, -2);
  EXPECT_EQ(font->glyphs[0].rows[5], 0x24);
  EXPECT_EQ(font->glyphs[1].width, 16);
  EXPECT_EQ(font->glyphs[1].rows[14], 0xFF);
  EXPECT_EQ(font->glyphs[1].rows[15], 0xFE);
}

TEST(UnifontHexReader, BadLineIsNamedByNumber) {
  std::string problem;
  EXPECT_FALSE(ReadUnifontHex(AsBytes("0041:00000000182424424\n"), problem));
  EXPECT_EQ(problem, std::string(msg::kHexLineDamaged) + "1");
  EXPECT_FALSE(ReadUnifontHex(AsBytes("0041:0000000018242442427E424242420000\n0042:0000000018242442427E42424242000G\n"),
                              problem));
  EXPECT_EQ(problem, std::string(msg::kHexLineDamaged) + "2");
  EXPECT_FALSE(ReadUnifontHex(AsBytes("110000:0000000018242442427E424242420000\n"), problem));
  EXPECT_FALSE(ReadUnifontHex(AsBytes("\n\n"), problem));
  EXPECT_EQ(problem, msg::kNoGlyphs);
}

constexpr const char* kBdf =
    "STARTFONT 2.1\n"
    "FONT -test-dots-medium-r-normal--10-100-75-75-c-60-ISO10646-1\n"
    "SIZE 10 75 75\n"
    "FONTBOUNDINGBOX 6 10 -1 -2\n"
    "STARTPROPERTIES 4\n"
    "FONT_ASCENT 8\n"
    "FONT_DESCENT 2\n"
    "CHARSET_REGISTRY \"%s\"\n"
    "CHARSET_ENCODING \"1\"\n"
    "ENDPROPERTIES\n"
    "CHARS 4\n"
    "STARTCHAR space\n"
    "ENCODING 32\n"
    "SWIDTH 600 0\n"
    "DWIDTH 6 0\n"
    "BBX 0 0 0 0\n"
    "BITMAP\n"
    "ENDCHAR\n"
    "STARTCHAR g\n"
    "ENCODING 103\n"
    "SWIDTH 600 0\n"
    "DWIDTH 6 0\n"
    "BBX 3 4 -1 -2\n"
    "BITMAP\n"
    "E0\n"
    "A0\n"
    "E0\n"
    "20\n"
    "ENDCHAR\n"
    "STARTCHAR unencoded\n"
    "ENCODING -1\n"
    "SWIDTH 600 0\n"
    "DWIDTH 6 0\n"
    "BBX 1 1 0 0\n"
    "BITMAP\n"
    "80\n"
    "ENDCHAR\n"
    "STARTCHAR wide\n"
    "ENCODING 8364\n"
    "SWIDTH 600 0\n"
    "DWIDTH 6 0\n"
    "BBX 9 2 1 5\n"
    "BITMAP\n"
    "FF80\n"
    "8080\n"
    "ENDCHAR\n"
    "ENDFONT\n";

Bytes BdfText(const char* registry) {
  std::string text(std::strlen(kBdf) + 32, '\0');
  text.resize(static_cast<std::size_t>(std::snprintf(text.data(), text.size(), kBdf, registry)));
  return AsBytes(text);
}

TEST(FreeTypeBitmapReader, BdfBoxesOffsetsAndCodes) {
  std::string problem;
  const std::optional<BitmapFont> font = ReadFreeTypeBitmapFont(BdfText("ISO10646"), problem);
  ASSERT_TRUE(font) << problem;
  EXPECT_TRUE(font->unicodeCodes);
  EXPECT_EQ(font->ascent, 8);
  EXPECT_EQ(font->descent, 2);
  ASSERT_EQ(font->glyphs.size(), 3u);  // the unencoded glyph is left out
  EXPECT_EQ(font->glyphs[0].code, 32u);  // an empty box
  EXPECT_EQ(font->glyphs[0].width, 0);
  EXPECT_TRUE(font->glyphs[0].rows.empty());
  const BitmapGlyph& g = font->glyphs[1];
  EXPECT_EQ(g.code, 103u);
  EXPECT_EQ(g.width, 3);
  EXPECT_EQ(g.height, 4);
  EXPECT_EQ(g.xoff, -1);
  EXPECT_EQ(g.yoff, -2);
  EXPECT_EQ(g.rows, (Bytes{0xE0, 0xA0, 0xE0, 0x20}));
  const BitmapGlyph& wide = font->glyphs[2];
  EXPECT_EQ(wide.code, 8364u);
  EXPECT_EQ(wide.width, 9);
  EXPECT_EQ(wide.xoff, 1);
  EXPECT_EQ(wide.yoff, 5);
  EXPECT_EQ(wide.rows, (Bytes{0xFF, 0x80, 0x80, 0x80}));
}

TEST(FreeTypeBitmapReader, OtherRegistriesAreNotUnicodeAndGarbageIsRefused) {
  std::string problem;
  const std::optional<BitmapFont> font = ReadFreeTypeBitmapFont(BdfText("JISX0208.1983"), problem);
  ASSERT_TRUE(font) << problem;
  EXPECT_FALSE(font->unicodeCodes);
  EXPECT_FALSE(ReadFreeTypeBitmapFont(AsBytes("STARTFONT 2.1\nFONTBOUNDINGBOX"), problem));
  EXPECT_EQ(problem, msg::kNotX11BitmapFont);
  EXPECT_FALSE(ReadFreeTypeBitmapFont(Bytes(100, 0x01), problem));
}

TEST(Gzip, UnpacksAndRefusesDamagedStreams) {
  const Bytes plain = AsBytes(std::string(5000, 'x') + "end");
  Bytes packed(compressBound(static_cast<uLong>(plain.size())) + 32);
  z_stream stream{};
  ASSERT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
  stream.next_in = const_cast<Bytef*>(plain.data());
  stream.avail_in = static_cast<uInt>(plain.size());
  stream.next_out = packed.data();
  stream.avail_out = static_cast<uInt>(packed.size());
  ASSERT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  packed.resize(stream.total_out);
  deflateEnd(&stream);

  EXPECT_TRUE(IsGzip(packed));
  EXPECT_EQ(Gunzip(packed), plain);
  EXPECT_FALSE(Gunzip(ByteView(packed).first(packed.size() / 2)));
  Bytes damaged = packed;
  damaged[damaged.size() / 2] ^= 0x55;
  EXPECT_FALSE(Gunzip(damaged));
}

TEST(CodeRanges, ParsesHexRangesAndRefusesMistakes) {
  const auto ranges = ParseCodeRanges("20-7E,a0-ff,8140");
  ASSERT_TRUE(ranges);
  EXPECT_TRUE(InCodeRanges(*ranges, 0x20));
  EXPECT_TRUE(InCodeRanges(*ranges, 0x7E));
  EXPECT_FALSE(InCodeRanges(*ranges, 0x7F));
  EXPECT_TRUE(InCodeRanges(*ranges, 0xFF));
  EXPECT_TRUE(InCodeRanges(*ranges, 0x8140));
  EXPECT_FALSE(InCodeRanges(*ranges, 0x8141));
  for (const char* bad : {"", "20-", "7E-20", "20,,30", "G0", "20-7E;30", "1000000"}) {
    EXPECT_FALSE(ParseCodeRanges(bad)) << bad;
  }
}

TEST(CodePageEncoder, PrinterCodePagesGiveBigEndianByteCodes) {
  const auto cp437 = CodePageEncoder::Open("CP437");
  ASSERT_TRUE(cp437);
  EXPECT_EQ(cp437->Encode(U'\u00E9'), 0x82u);
  EXPECT_EQ(cp437->Encode(U'A'), 0x41u);
  EXPECT_FALSE(cp437->Encode(U'\u3042'));
  const auto sjis = CodePageEncoder::Open("SHIFT_JIS");
  ASSERT_TRUE(sjis);
  EXPECT_EQ(sjis->Encode(U'\u3000'), 0x8140u);
  EXPECT_EQ(sjis->Encode(U'\u3042'), 0x82A0u);
  const auto gbk = CodePageEncoder::Open("GBK");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(gbk->Encode(U'\u4E00'), 0xD2BBu);
  // Three bytes are no printer code.
  const auto utf8 = CodePageEncoder::Open("UTF-8");
  ASSERT_TRUE(utf8);
  EXPECT_EQ(utf8->Encode(U'\u00E9'), 0xC3A9u);
  EXPECT_FALSE(utf8->Encode(U'\u3042'));
  EXPECT_FALSE(CodePageEncoder::Open("NO-SUCH-CODE-PAGE"));
}

BitmapFont FontOfCodes(const std::vector<std::uint32_t>& codes) {
  BitmapFont font{1, 0, true, {}};
  for (const std::uint32_t code : codes) font.glyphs.push_back(BitmapGlyph{code, 1, 1, 0, 0, {0x80}});
  return font;
}

std::vector<std::pair<std::uint32_t, std::size_t>> Pairs(const std::vector<CodedGlyph>& kept) {
  std::vector<std::pair<std::uint32_t, std::size_t>> pairs;
  for (const CodedGlyph& glyph : kept) pairs.emplace_back(glyph.code, glyph.glyph);
  return pairs;
}

TEST(BitmapCodeRules, ControlCodesSkippedAscendingOrderSingleByteByDefault) {
  BitmapImportCounts counts;
  const auto kept = ChooseCodes(FontOfCodes({0x42, 0x0A, 0x41, 0x1F, 0xFF}), {}, nullptr, counts);
  EXPECT_EQ(Pairs(kept), (std::vector<std::pair<std::uint32_t, std::size_t>>{{0x41, 2}, {0x42, 0}, {0xFF, 4}}));
  EXPECT_EQ(counts.belowSpace, 2);
  EXPECT_EQ(counts.kept, 3);
  EXPECT_EQ(ChosenFontType(kept, {}), kSingleByteFont);
}

TEST(BitmapCodeRules, ReEncodingCollisionsSubsetsAndForcedType) {
  const auto cp437 = CodePageEncoder::Open("CP437");
  ASSERT_TRUE(cp437);
  // U+00E9 and U+00C9 encode to 0x82 and 0x90; U+3042 has no CP437 code.
  BitmapImportCounts counts;
  BitmapImportOptions options;
  auto kept = ChooseCodes(FontOfCodes({0xE9, 0x3042, 0x41, 0xC9, 0x0A}), options, &*cp437, counts);
  EXPECT_EQ(Pairs(kept), (std::vector<std::pair<std::uint32_t, std::size_t>>{{0x41, 2}, {0x82, 0}, {0x90, 3}}));
  EXPECT_EQ(counts.notEncodable, 1);
  EXPECT_EQ(counts.belowSpace, 1);

  // Two glyphs for one code: the lower source code wins whatever the file order.
  const auto utf16 = CodePageEncoder::Open("UTF-16BE");
  ASSERT_TRUE(utf16);
  counts = {};
  options.codes = *ParseCodeRanges("3000-30FF");
  kept = ChooseCodes(FontOfCodes({0x3042, 0x41, 0x3041, 0x3042}), options, &*utf16, counts);
  EXPECT_EQ(Pairs(kept), (std::vector<std::pair<std::uint32_t, std::size_t>>{{0x3041, 2}, {0x3042, 0}}));
  EXPECT_EQ(counts.sameCode, 1);
  EXPECT_EQ(counts.outsideCodes, 1);
  EXPECT_EQ(ChosenFontType(kept, options), kDoubleByteFont);

  counts = {};
  options = {};
  options.fontType = kSingleByteFont;
  kept = ChooseCodes(FontOfCodes({0x41, 0x100, 0x3042, 0x1F600}), options, nullptr, counts);
  EXPECT_EQ(kept.size(), 1u);
  EXPECT_EQ(counts.outsideType, 3);
  options.fontType = kDoubleByteFont;
  counts = {};
  kept = ChooseCodes(FontOfCodes({0x41, 0x1F600}), options, nullptr, counts);
  EXPECT_EQ(kept.size(), 1u);
  EXPECT_EQ(counts.outsideType, 1);  // beyond 0xFFFF
  EXPECT_EQ(ChosenFontType(kept, options), kDoubleByteFont);
}

TEST(BitmapCellPlacement, BaselineOffsetsAndCutDots) {
  BitmapFont font{8, 2, true, {}};
  // A 3 x 4 box, one dot in each corner, 2 rows below the baseline, 1 column left.
  font.glyphs.push_back(BitmapGlyph{0x67, 3, 4, -1, -2, {0xA0, 0x00, 0x00, 0xA0}});
  font.glyphs.push_back(BitmapGlyph{0x68, 2, 2, 4, 3, {0x40, 0x80}});
  const CellLayout layout = DefaultCellLayout(font, 0, 0, std::nullopt);
  EXPECT_EQ(layout.width, 6);  // 4 + 2
  EXPECT_EQ(layout.height, 10);
  EXPECT_EQ(layout.baseline, 8);

  Bytes cell(CellSize(6, 10), 0);
  EXPECT_TRUE(PlaceGlyph(font.glyphs[0], layout, cell.data()));  // column -1 is cut
  // Top row = 8 - (-2 + 4) = 6; columns -1 and 1.
  Bytes expected(10, 0);
  expected[6] = 0x40;
  expected[9] = 0x40;
  EXPECT_EQ(cell, expected);

  Bytes second(CellSize(6, 10), 0);
  EXPECT_FALSE(PlaceGlyph(font.glyphs[1], layout, second.data()));
  expected.assign(10, 0);
  expected[3] = 0x04;  // row 8 - (3 + 2) = 3, column 5
  expected[4] = 0x08;
  EXPECT_EQ(second, expected);

  // A lower baseline pushes the first glyph's bottom row out of the cell.
  const CellLayout low = DefaultCellLayout(font, 6, 10, 9);
  Bytes third(CellSize(6, 10), 0);
  font.glyphs[0].xoff = 0;
  EXPECT_TRUE(PlaceGlyph(font.glyphs[0], low, third.data()));
  expected.assign(10, 0);
  expected[7] = 0xA0;
  EXPECT_EQ(third, expected);
  // Blank dots outside the cell are no cut.
  font.glyphs[0].rows = {0xA0, 0x00, 0x00, 0x00};
  EXPECT_FALSE(PlaceGlyph(font.glyphs[0], low, third.data()));
}

}  // namespace
}  // namespace dotforge

namespace dotforge {
namespace {

TEST(BitmapFontExtensions, GzipPackedBitmapFontsByTheirInnerExtension) {
  EXPECT_EQ(FileFormatByExtension("12x24.pcf.gz"), FindFileFormat(kFormatPcf));
  EXPECT_EQ(FileFormatByExtension("LAT.PSF.GZ"), FindFileFormat(kFormatPsf));
  EXPECT_EQ(FileFormatByExtension("unifont.hex"), FindFileFormat(kFormatHex));
  EXPECT_EQ(FileFormatByExtension("OLD.BDF"), FindFileFormat(kFormatBdf));
  EXPECT_EQ(FileFormatByExtension("font.ttf.gz"), nullptr);
  EXPECT_EQ(FileFormatByExtension("archive.gz"), nullptr);
  EXPECT_EQ(FileFormatByExtension("FONT.TTF"), FindFileFormat(kFormatOutline));
}

}  // namespace
}  // namespace dotforge
