// The firmware exports judged by what C code makes of them: each header is
// compiled with the system's C compiler together with a few lines that draw the
// glyphs as the Adafruit GFX library and a display driver would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "formats/firmware/carray_reader.h"
#include "formats/firmware/carray_writer.h"
#include "formats/firmware/firmware_messages.h"
#include "formats/firmware/gfx_writer.h"
#include "formats/formats_messages.h"
#include "framework/scripted_prompt.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

constexpr std::int32_t kWidth = 11;
constexpr std::int32_t kHeight = 13;
constexpr std::int32_t kBaseline = 9;

// Draws every glyph of the GFX font NAME from the cursor on the baseline, as the
// library's drawChar does, and prints the cell.
constexpr const char* kGfxDrawing = R"(
#define PROGMEM
typedef struct { uint16_t bitmapOffset; uint8_t width, height, xAdvance; int8_t xOffset, yOffset; } GFXglyph;
typedef struct { uint8_t *bitmap; GFXglyph *glyph; uint16_t first, last; uint8_t yAdvance; } GFXfont;
#include HEADER
int main(void) {
  for (unsigned c = NAME.first; c <= NAME.last; c++) {
    char cell[NAME.yAdvance][W + 1];
    memset(cell, '.', sizeof cell);
    const GFXglyph *g = &NAME.glyph[c - NAME.first];
    unsigned bo = g->bitmapOffset, bit = 0;
    uint8_t bits = 0;
    for (int yy = 0; yy < g->height; yy++)
      for (int xx = 0; xx < g->width; xx++) {
        if (!(bit++ & 7)) bits = NAME.bitmap[bo++];
        if (bits & 0x80) cell[BASELINE + g->yOffset + yy][g->xOffset + xx] = '#';
        bits <<= 1;
      }
    printf("%04X %d\n", c, g->xAdvance);
    for (int y = 0; y < NAME.yAdvance; y++) printf("%.*s\n", W, cell[y]);
  }
  return 0;
}
)";

// Prints every glyph of the C arrays NAME, each dot read as a display driver
// reads the layout it was exported in.
constexpr const char* kCArrayDrawing = R"(
#include HEADER
#define ID(n) fw_font_##n
static int Dot(const uint8_t *g, int x, int y) {
  int rowBytes = (ID(WIDTH) + 7) / 8, bands = (ID(HEIGHT) + 7) / 8;
  int byte = ROWS ? y * rowBytes + x / 8 : x * bands + y / 8, bit = ROWS ? x % 8 : y % 8;
  return ((g[byte] & (MSB ? 0x80 >> bit : 1 << bit)) != 0) != INVERT;
}
int main(void) {
  for (int i = 0; i < ID(COUNT); i++) {
    printf("%04X %d\n", ID(codes)[i], ID(WIDTH));
    for (int y = 0; y < ID(HEIGHT); y++) {
      for (int x = 0; x < ID(WIDTH); x++) putchar(Dot(ID(data) + i * ID(BYTES_PER_CHAR), x, y) ? '#' : '.');
      putchar('\n');
    }
  }
  return 0;
}
)";

// What the programs print for `codes` of `doc`: a code without a character is blank.
std::string Drawing(const CDotforgeImportDoc& doc, const std::vector<std::int32_t>& codes) {
  std::string text;
  for (const std::int32_t code : codes) {
    char line[16];
    std::snprintf(line, sizeof line, "%04X %d\n", code, doc.width);
    text += line;
    const CharacterRecord* record = nullptr;
    for (const auto& character : doc.characters) {
      if (character->label == FormatLabel(code)) record = character.get();
    }
    for (std::int32_t y = 0; y < doc.height; ++y) {
      for (std::int32_t x = 0; x < doc.width; ++x) text += record && record->Pixel(x, y) ? '#' : '.';
      text += '\n';
    }
  }
  return text;
}

bool HaveCompiler() { return std::system("command -v cc >/dev/null 2>&1") == 0; }

// Compiles `program` beside `header` with the defines and returns what it printed.
std::string CompileAndRun(const test::TempDir& dir, const std::string& header, const std::string& program,
                          const std::string& defines) {
  const std::filesystem::path source = dir / "draw.c";
  std::ofstream(source) << "#include <stdint.h>\n#include <stdio.h>\n#include <string.h>\n" << program;
  const std::string binary = (dir / "draw").string();
  const std::string command = "cc -std=c99 -Wall -Werror -DHEADER='\"" + header + "\"' -DW=" + std::to_string(kWidth) +
                              " " + defines + " -I" + dir.Path().string() + " -o " + binary + " " + source.string();
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::string output;
  if (FILE* pipe = popen(binary.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// Codes with gaps, above 0xFF, and a blank character at 0x20.
std::unique_ptr<CDotforgeImportDoc> FirmwareSet() {
  auto doc = test::MakeFontSet(kWidth, kHeight, {0x20, 0x21, 0x22, 0x41, 0x7E, 0x100});
  doc->characters.front()->bitmap.assign(doc->characters.front()->bitmap.size(), 0);
  doc->baseline = kBaseline;
  return doc;
}

TEST(FirmwareExportsTest, CompiledGfxFontDrawsEveryDotOnTheBaseline) {
  if (!HaveCompiler()) GTEST_SKIP() << "no C compiler (cc) on this machine";
  const auto doc = FirmwareSet();
  test::TempDir dir;
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteGfxFile(*doc, dir / "fw-font.h", GfxOptions{}, prompt)) << testing::PrintToString(prompt.Texts());
  const std::string drawn = CompileAndRun(dir, "fw-font.h", kGfxDrawing,
                                          "-DNAME=fw_font -DBASELINE=" + std::to_string(kBaseline));
  EXPECT_EQ(drawn, Drawing(*doc, test::CodeRange(0x20, 0x100)));
}

TEST(FirmwareExportsTest, CompiledCArraysDrawEveryDotInEachLayoutAndReadBack) {
  if (!HaveCompiler()) GTEST_SKIP() << "no C compiler (cc) on this machine";
  const auto doc = FirmwareSet();
  const std::vector<std::int32_t> codes{0x20, 0x21, 0x22, 0x41, 0x7E, 0x100};
  for (const CArrayOptions options : {CArrayOptions{DotLayout::Rows, BitOrder::Msb, false, true},
                                      CArrayOptions{DotLayout::Columns, BitOrder::Lsb, true, false},
                                      CArrayOptions{DotLayout::Columns, BitOrder::Msb, false, true},
                                      CArrayOptions{DotLayout::Rows, BitOrder::Lsb, true, true}}) {
    SCOPED_TRACE(std::string(LayoutName(options.layout)) + " " + std::string(BitOrderName(options.bitOrder)) +
                 (options.invert ? " inverted" : ""));
    test::TempDir dir;
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteCArrayFile(*doc, dir / "fw-font.h", options, prompt));
    const std::string defines = std::string("-DROWS=") + (options.layout == DotLayout::Rows ? "1" : "0") +
                                " -DMSB=" + (options.bitOrder == BitOrder::Msb ? "1" : "0") +
                                " -DINVERT=" + (options.invert ? "1" : "0");
    EXPECT_EQ(CompileAndRun(dir, "fw-font.h", kCArrayDrawing, defines), Drawing(*doc, codes));

    const Bytes file = test::ReadBytes(dir / "fw-font.h");
    std::string problem;
    const std::optional<CArrayFont> font = ReadCArrayFont(std::string(file.begin(), file.end()), problem);
    ASSERT_TRUE(font) << problem;
    EXPECT_EQ(font->options, (CArrayOptions{options.layout, options.bitOrder, options.invert, false}));
    CDotforgeImportDoc back;
    back.width = font->width;
    back.height = font->height;
    for (std::size_t i = 0; i < font->codes.size(); ++i) {
      const std::size_t size = CellSize(font->width, font->height);
      back.AppendCharacter(font->codes[i], font->width, font->height).bitmap.assign(
          font->cells.begin() + static_cast<std::ptrdiff_t>(i * size),
          font->cells.begin() + static_cast<std::ptrdiff_t>((i + 1) * size));
    }
    EXPECT_EQ(Drawing(back, codes), Drawing(*doc, codes));
  }
}

// What the library cannot hold is refused before a file is written.
TEST(FirmwareExportsTest, GfxExportRefusesWhatTheLibraryCannotHold) {
  auto sparse = test::MakeFontSet(8, 8, {0x20, 0x41, 0x2000});
  auto wide = test::MakeFontSet(128, 8, {0x41});
  auto heavy = test::MakeFontSet(127, 127, test::CodeRange(0x20, 0x40));
  for (auto& record : heavy->characters) record->bitmap.assign(record->bitmap.size(), 0xFF);
  struct Case {
    const CDotforgeImportDoc& doc;
    GfxOptions options;
    std::string message;  // empty: written
  };
  const Case cases[] = {
      {*sparse, {}, "8161" + std::string(msg::kGfxRecordsFor) + "3" + msg::kGfxSparseRange},
      {*sparse, {std::nullopt, {{0x20, 0x7E}}}, ""},
      {*sparse, {std::nullopt, {{0x7F, 0xFF}}}, msg::kGfxNoCharacters},
      {*sparse, {20, {{0x20, 0x7E}}}, msg::kBaselineOutsideCell},
      {*wide, {}, msg::kGfxCellTooLarge},
      {*heavy, {}, "66561" + std::string(msg::kGfxBitmapTooLarge)},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    ScriptedPrompt prompt;
    const bool written = WriteGfxFile(c.doc, dir / "f.h", c.options, prompt);
    EXPECT_EQ(written, c.message.empty()) << c.message;
    EXPECT_EQ(std::filesystem::exists(dir / "f.h"), written);
    EXPECT_EQ(prompt.Texts(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

}  // namespace
}  // namespace dotforge
