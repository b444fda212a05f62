// The editor's tools on a large glyph: what one mouse move costs while a shape
// or a selection follows the mouse, and a flood fill of the whole cell.
#include <benchmark/benchmark.h>

#include "edit/dot_selection.h"
#include "edit/flood_fill.h"
#include "edit/glyph_shapes.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSide = 256;

// A glyph with a checked border and a diagonal bar, so the shapes cross dots of both colours.
PixelGrid LargeGlyph() {
  PixelGrid grid(kSide, kSide);
  for (std::int32_t i = 0; i < kSide; ++i) {
    grid.Set(i, 0, kBlackPixel);
    grid.Set(0, i, kBlackPixel);
    grid.Set(i, i, kBlackPixel);
  }
  return grid;
}

// The view's preview: a copy of the grid with the shape drawn on it.
void BM_ShapePreview(benchmark::State& state) {
  const PixelGrid grid = LargeGlyph();
  const auto shape = static_cast<ShapeKind>(state.range(0));
  std::int32_t end = 1;
  for (auto _ : state) {
    PixelGrid preview = grid;
    DrawShapeOn(preview, shape, {3, 5}, {end, kSide - end}, kBlackPixel);
    benchmark::DoNotOptimize(preview.Pixels().data());
    end = end % (kSide - 1) + 1;
  }
}
BENCHMARK(BM_ShapePreview)->DenseRange(0, 3)->ArgName("shape");

void BM_FloodFillWholeCell(benchmark::State& state) {
  const PixelGrid blank(kSide, kSide);
  for (auto _ : state) {
    PixelGrid grid = blank;
    FloodFill(grid, {kSide / 2, kSide / 3}, kBlackPixel);
    benchmark::DoNotOptimize(grid.Pixels().data());
  }
}
BENCHMARK(BM_FloodFillWholeCell);

// A 128 x 128 floating selection dragged one dot per mouse move.
void BM_SelectionMove(benchmark::State& state) {
  PixelGrid grid = LargeGlyph();
  DotSelection selection;
  selection.Mark(grid, DotRect{0, 0, 128, 128});
  std::int32_t step = 0;
  for (auto _ : state) {
    selection.MoveTo(grid, {step % 100, step % 80});
    benchmark::DoNotOptimize(grid.Pixels().data());
    ++step;
  }
}
BENCHMARK(BM_SelectionMove);

}  // namespace
}  // namespace dotforge
