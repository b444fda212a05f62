// The firmware exports of a whole double-byte set: all 65,504 codes 0x20..0xFFFF
// in 24 x 24 cells, encoded into memory as an Adafruit GFX header (which the
// export then refuses: its bitmaps pass the library's 16-bit offsets) and as C
// arrays in rows and in columns with glyph pictures, with the size of each file.
#include <benchmark/benchmark.h>

#include "bench_fonts.h"
#include "formats/firmware/carray_writer.h"
#include "formats/firmware/gfx_writer.h"

namespace dotforge {
namespace {

template <typename Encode>
void MeasureExport(benchmark::State& state, Encode encode) {
  const auto font = bench::PatternedFont(24, 24, bench::kFullFontFirstCode, bench::kFullFontCount);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const Bytes file = encode(*font);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["characters"] = static_cast<double>(bench::kFullFontCount);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetItemsProcessed(state.iterations() * bench::kFullFontCount);
}

void GfxExport(benchmark::State& state) {
  MeasureExport(state, [](const CDotforgeImportDoc& doc) { return EncodeGfxFile(doc, "kanji", GfxOptions{}); });
}
BENCHMARK(GfxExport)->Unit(benchmark::kMillisecond);

void CArrayExportRows(benchmark::State& state) {
  MeasureExport(state, [](const CDotforgeImportDoc& doc) { return EncodeCArrayFile(doc, "kanji", CArrayOptions{}); });
}
BENCHMARK(CArrayExportRows)->Unit(benchmark::kMillisecond);

void CArrayExportColumnsWithArt(benchmark::State& state) {
  const CArrayOptions options{DotLayout::Columns, BitOrder::Lsb, true, true};
  MeasureExport(state, [&options](const CDotforgeImportDoc& doc) { return EncodeCArrayFile(doc, "kanji", options); });
}
BENCHMARK(CArrayExportColumnsWithArt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
