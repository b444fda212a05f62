// Bitmap font export of a whole double-byte set: all 65,504 codes 0x20..0xFFFF
// in 24 x 24 cells, encoded into memory as BDF and as PSF2 (the sizes of the files
// the export then saves), and at half and quarter the count to show the time
// grows linearly with the characters.
#include <benchmark/benchmark.h>

#include "bench_fonts.h"
#include "formats/bitmap/bdf_writer.h"
#include "formats/bitmap/psf_writer.h"

namespace dotforge {
namespace {

void BdfExport(benchmark::State& state) {
  const auto count = static_cast<std::int32_t>(state.range(0));
  const auto font = bench::PatternedFont(24, 24, bench::kFullFontFirstCode, count);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const Bytes file = EncodeBdfFile(*font, DefaultBaseline(24), BdfNames{"kanji", ""});
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["characters"] = static_cast<double>(count);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BdfExport)
    ->Arg(bench::kFullFontCount / 4)
    ->Arg(bench::kFullFontCount / 2)
    ->Arg(bench::kFullFontCount)
    ->Unit(benchmark::kMillisecond);

void Psf2Export(benchmark::State& state) {
  const auto font = bench::PatternedFont(24, 24, bench::kFullFontFirstCode, bench::kFullFontCount);
  for (auto _ : state) {
    const PsfExport psf = EncodePsf2File(*font, nullptr);
    benchmark::DoNotOptimize(psf.file.data());
  }
  state.SetItemsProcessed(state.iterations() * bench::kFullFontCount);
}
BENCHMARK(Psf2Export)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
