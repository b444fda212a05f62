// Outline import keeping the character codes at full size: the Noto Sans CJK face
// re-encoded to Shift_JIS into 24 x 24 cells (about 7,000 characters), from the
// faces dialog's OK to the glyph block, on the machine's cores and on one thread.
// Skipped when the font is not installed.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "formats/outline/outline_font_importer.h"
#include "framework/scripted_prompt.h"

namespace dotforge {
namespace {

constexpr const char* kNotoCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

void NotoCjkShiftJis(benchmark::State& state) {
  if (!std::filesystem::exists(kNotoCjk)) {
    state.SkipWithError("fonts-noto-cjk is not installed (scripts/deps)");
    return;
  }
  FontFacesAnswer answer(0, -1);
  answer.keepCodes = true;
  answer.encoding = "SHIFT_JIS";
  ScriptedPrompt prompt;
  std::int32_t characters = 0;
  for (auto _ : state) {
    OutlineFontImporter importer(24, 24);
    if (!importer.OpenFontFile(kNotoCjk, prompt) ||
        importer.ConfirmFaces(answer, prompt) != OutlineFontImporter::FacesChoice::Accepted ||
        !importer.RenderCharacters(prompt, static_cast<unsigned>(state.range(0)))) {
      state.SkipWithError("import failed");
      return;
    }
    characters = importer.CharacterCount();
    benchmark::DoNotOptimize(importer.TakeBlock().bytes.data());
  }
  state.counters["characters"] = characters;
  state.counters["threads"] = static_cast<double>(state.range(0));
}
// 0: as many threads as the machine's cores make worth it.
BENCHMARK(NotoCjkShiftJis)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
