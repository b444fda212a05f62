// The side formats at firmware size:
// - ST10 export and import of a 24 x 24 font of 1k, 8k and 65,535 characters;
//   bytes processed are the bytes of the C text, so MB/s and the time per
//   character show whether the cost grows linearly.
// - Outline import of a large CJK font (Noto Sans CJK, face 0, Unicode map) at
//   24 x 24, next to FreeType's own cost for the same glyphs (FT_Load_Glyph +
//   FT_Outline_Get_Bitmap); skipped when the font is not installed.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BITMAP_H

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "bench_fonts.h"
#include "formats/outline/outline_font_importer.h"
#include "formats/source/st10_parser.h"
#include "formats/source/st10_writer.h"
#include "framework/scripted_prompt.h"
#include "model/glyph_block.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSide = 24;
constexpr const char* kCjkFont = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

const CDotforgeImportDoc& Font(std::int32_t characters) {
  static std::map<std::int32_t, std::unique_ptr<CDotforgeImportDoc>> fonts;
  auto& font = fonts[characters];
  if (!font) font = bench::PatternedFont(kSide, kSide, 1, characters);
  return *font;
}

void St10Export(benchmark::State& state) {
  const auto characters = static_cast<std::int32_t>(state.range(0));
  const std::int32_t wordBits = static_cast<std::int32_t>(state.range(1));
  const CDotforgeImportDoc& font = Font(characters);
  std::size_t textBytes = 0;
  for (auto _ : state) {
    const Bytes text = EncodeSt10File(font, wordBits);
    textBytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * textBytes));
  state.counters["time/char"] = benchmark::Counter(static_cast<double>(characters),
                                                 benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

// Strip comments, parse and build the font set's characters, as the import does.
void St10Import(benchmark::State& state) {
  const auto characters = static_cast<std::int32_t>(state.range(0));
  const std::int32_t wordBits = static_cast<std::int32_t>(state.range(1));
  const Bytes file = EncodeSt10File(Font(characters), wordBits);
  const std::string text(file.begin(), file.end());
  ScriptedPrompt prompt;
  for (auto _ : state) {
    St10Parser parser(kSide, kSide, wordBits);
    parser.SetText(text);
    if (parser.StripComments() != ParseResult::Ok || parser.Parse() != ParseResult::Ok) {
      state.SkipWithError("the exported text did not parse");
      break;
    }
    CDotforgeImportDoc doc;
    doc.width = kSide;
    doc.height = kSide;
    ReadGlyphBlock(doc, parser.TakeBlock(), wordBits, prompt);
    benchmark::DoNotOptimize(doc.characters.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["time/char"] = benchmark::Counter(static_cast<double>(characters),
                                                 benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

BENCHMARK(St10Export)->ArgsProduct({{1024, 8192, 65535}, {8, 16}})->Unit(benchmark::kMillisecond);
BENCHMARK(St10Import)->ArgsProduct({{1024, 8192, 65535}, {8, 16}})->Unit(benchmark::kMillisecond);

void ReportCharacters(benchmark::State& state, std::size_t characters) {
  state.counters["chars/s"] = benchmark::Counter(static_cast<double>(characters),
                                                 benchmark::Counter::kIsIterationInvariantRate);
  state.counters["chars"] = static_cast<double>(characters);
}

// FreeType alone: the glyphs of the Unicode map loaded and rasterised into one
// cell, with the same size and load flags as the import.
void OutlineFreeTypeOnly(benchmark::State& state) {
  if (!std::filesystem::exists(kCjkFont)) {
    state.SkipWithError("fonts-noto-cjk is not installed");
    return;
  }
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Init_FreeType(&library);
  FT_New_Face(library, kCjkFont, 0, &face);
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  FT_Set_Char_Size(face, kSide * 64, kSide * 64, 72, 72);
  std::vector<FT_UInt> glyphs;
  FT_UInt glyph = 0;
  for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0; code = FT_Get_Next_Char(face, code, &glyph)) {
    glyphs.push_back(glyph);
  }
  std::uint8_t cell[3 * kSide];
  FT_Bitmap bitmap;
  FT_Bitmap_Init(&bitmap);
  bitmap.rows = kSide;
  bitmap.width = kSide;
  bitmap.pitch = 3;
  bitmap.buffer = cell;
  bitmap.num_grays = 2;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  for (auto _ : state) {
    for (const FT_UInt index : glyphs) {
      FT_Load_Glyph(face, index, FT_LOAD_MONOCHROME | FT_LOAD_NO_BITMAP);
      std::memset(cell, 0, sizeof cell);
      FT_Outline_Get_Bitmap(library, &face->glyph->outline, &bitmap);
      benchmark::DoNotOptimize(cell[0]);
    }
  }
  ReportCharacters(state, glyphs.size());
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

// The whole import after the faces dialog: open, select face 0 and its Unicode
// map, render every character. Argument: threads (0 = one per core).
void OutlineImport(benchmark::State& state) {
  if (!std::filesystem::exists(kCjkFont)) {
    state.SkipWithError("fonts-noto-cjk is not installed");
    return;
  }
  ScriptedPrompt prompt;
  std::size_t characters = 0;
  for (auto _ : state) {
    OutlineFontImporter importer(kSide, kSide);
    if (!importer.OpenFontFile(kCjkFont, prompt) ||
        importer.ConfirmFaces({0, 0}, prompt) != OutlineFontImporter::FacesChoice::Accepted ||
        !importer.RenderCharacters(prompt, static_cast<unsigned>(state.range(0)))) {
      state.SkipWithError("the font did not render");
      break;
    }
    characters = static_cast<std::size_t>(importer.CharacterCount());
    benchmark::DoNotOptimize(importer.TakeBlock().bytes.data());
  }
  ReportCharacters(state, characters);
}

BENCHMARK(OutlineFreeTypeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OutlineImport)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace dotforge
