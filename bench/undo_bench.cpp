// Undo and redo on the fullest double-byte set there can be: every code
// 0x20..0xFFFF (65,504 characters of 24 x 24 dots), through the application core
// as the Undo and Redo commands run them (editors followed, views told). The
// font-wide rotate is the largest step there is; a Delete moves the lists. The
// stroke history reports what 1,000 strokes hold.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <memory>

#include "appcore/application_core.h"
#include "bench_fonts.h"
#include "edit/font_transform.h"
#include "framework/scripted_prompt.h"
#include "model/character_operations.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSide = 24;
constexpr Rect kMiddleCell{1, 1, 2, 2};

struct FullFontCore {
  FullFontCore()
      : fontSet(core.AddFontSet(
            bench::PatternedFont(kSide, kSide, bench::kFullFontFirstCode, bench::kFullFontCount))) {}
  ScriptedPrompt prompt;
  ApplicationCore core{prompt};
  CDotforgeImportDoc& fontSet;
};

// Times `move` alone; `back` puts the step where `move` can run again.
template <typename Move, typename Back>
void TimeAlternating(benchmark::State& state, Move move, Back back) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const bool moved = move();
    const auto end = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(moved);
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    back();
  }
}

void BM_UndoRotateFullFont(benchmark::State& state) {
  FullFontCore f;
  f.core.RotateFont(f.fontSet);
  TimeAlternating(
      state, [&] { return f.core.Undo(f.fontSet); }, [&] { f.core.Redo(f.fontSet); });
  state.counters["step_bytes"] = static_cast<double>(f.fontSet.history.ByteSize());
}
BENCHMARK(BM_UndoRotateFullFont)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RedoRotateFullFont(benchmark::State& state) {
  FullFontCore f;
  f.core.RotateFont(f.fontSet);
  f.core.Undo(f.fontSet);
  TimeAlternating(
      state, [&] { return f.core.Redo(f.fontSet); }, [&] { f.core.Undo(f.fontSet); });
}
BENCHMARK(BM_RedoRotateFullFont)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_UndoDeleteFullFont(benchmark::State& state) {
  FullFontCore f;
  const std::size_t middle = f.fontSet.characters.size() / 2;
  f.fontSet.characters[middle]->cellRect = kMiddleCell;
  DeleteCharacter(f.fontSet, kMiddleCell);
  TimeAlternating(
      state, [&] { return f.core.Undo(f.fontSet); }, [&] { f.core.Redo(f.fontSet); });
}
BENCHMARK(BM_UndoDeleteFullFont)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RedoDeleteFullFont(benchmark::State& state) {
  FullFontCore f;
  const std::size_t middle = f.fontSet.characters.size() / 2;
  f.fontSet.characters[middle]->cellRect = kMiddleCell;
  DeleteCharacter(f.fontSet, kMiddleCell);
  f.core.Undo(f.fontSet);
  TimeAlternating(
      state, [&] { return f.core.Redo(f.fontSet); }, [&] { f.core.Undo(f.fontSet); });
}
BENCHMARK(BM_RedoDeleteFullFont)->UseManualTime()->Unit(benchmark::kMillisecond);

// 1,000 strokes in one editor of the full font: the history's own count and the
// heap it took, per step.
void BM_StrokeHistoryMemory(benchmark::State& state) {
  constexpr int kStrokes = 1000;
  for (auto _ : state) {
    state.PauseTiming();
    FullFontCore f;
    f.core.EditCharacter(f.fontSet, *f.fontSet.characters[100]);
    CDotforgeEditDoc& editor = *f.core.Editors().back();
    const std::size_t heapBefore = mallinfo2().uordblks;
    state.ResumeTiming();
    for (int i = 0; i < kStrokes; ++i) {
      PixelGrid& grid = editor.Grid();
      const std::int32_t column = i % kSide;
      const std::int32_t row = (i / kSide) % kSide;
      grid.Set(column, row, grid.At(column, row) == kBlackPixel ? kWhitePixel : kBlackPixel);
      editor.WriteBack();
    }
    state.PauseTiming();
    const std::size_t heapAfter = mallinfo2().uordblks;
    state.counters["steps"] = static_cast<double>(f.fontSet.history.UndoCount());
    state.counters["history_bytes"] = static_cast<double>(f.fontSet.history.ByteSize());
    state.counters["heap_bytes"] = static_cast<double>(heapAfter - heapBefore);
    state.counters["heap_bytes_per_step"] = static_cast<double>(heapAfter - heapBefore) / kStrokes;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StrokeHistoryMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
