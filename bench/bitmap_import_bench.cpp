// Bitmap font import at full size: all of GNU Unifont's hex file (about 57,000
// glyphs) into a 16 x 16 double-byte set, split into reading the file, choosing
// codes and placing the cells, and opening the font set from the result; and the
// same with a re-encoding to Shift_JIS. Skipped when the font is not installed.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "formats/bitmap/bitmap_font_import.h"
#include "formats/bitmap/unifont_hex_reader.h"
#include "framework/scripted_prompt.h"
#include "model/file_access.h"
#include "model/open_font_set.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

constexpr const char* kUnifontHex = "/usr/share/unifont/unifont.hex";

bool SkipWithoutFont(benchmark::State& state) {
  if (std::filesystem::exists(kUnifontHex)) return false;
  state.SkipWithError("unifont.hex is not installed (scripts/deps)");
  return true;
}

ImportRequest UnifontRequest(const std::string& encoding) {
  ImportRequest request;
  request.importType = kFormatHex;
  request.fileName = kUnifontHex;
  request.width = 16;
  request.height = 16;
  request.bitmapOptions.encoding = encoding;
  return request;
}

void UnifontHexRead(benchmark::State& state) {
  if (SkipWithoutFont(state)) return;
  ScriptedPrompt prompt;
  const Bytes file = *LoadFontFile(kUnifontHex, prompt);
  std::size_t glyphs = 0;
  for (auto _ : state) {
    std::string problem;
    const std::optional<BitmapFont> font = ReadUnifontHex(file, problem);
    glyphs = font->glyphs.size();
    benchmark::DoNotOptimize(font->glyphs.data());
  }
  state.counters["glyphs"] = static_cast<double>(glyphs);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(UnifontHexRead)->Unit(benchmark::kMillisecond);

// From the file on disk to the cells and codes of the glyph block.
void UnifontHexImport(benchmark::State& state, const std::string& encoding) {
  if (SkipWithoutFont(state)) return;
  ScriptedPrompt prompt;
  std::int32_t kept = 0;
  for (auto _ : state) {
    ImportRequest request = UnifontRequest(encoding);
    if (!ImportBitmapFont(request, prompt)) state.SkipWithError("import failed");
    kept = request.bitmapCounts.kept;
    benchmark::DoNotOptimize(request.glyphBlock.bytes.data());
  }
  state.counters["characters"] = kept;
}
BENCHMARK_CAPTURE(UnifontHexImport, Unicode, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(UnifontHexImport, ShiftJis, std::string("SHIFT_JIS"))->Unit(benchmark::kMillisecond);

// The whole import as the user sees it: the glyph block opened as a font set.
void UnifontHexToFontSet(benchmark::State& state) {
  if (SkipWithoutFont(state)) return;
  ScriptedPrompt prompt;
  std::size_t characters = 0;
  for (auto _ : state) {
    ImportRequest request = UnifontRequest("");
    ImportBitmapFont(request, prompt);
    CDotforgeImportDoc doc;
    OpenFontSet(doc, request, prompt);
    characters = doc.characters.size();
    benchmark::DoNotOptimize(doc.characters.data());
  }
  state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(UnifontHexToFontSet)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
