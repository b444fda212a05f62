// Turning a picture into dots, as the "Paste Image" dialog does at every step of
// its threshold slider: the largest picture it takes (1024 x 1024 RGBA) against
// a 16 ms frame, and a glyph-sized one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "edit/image_dots.h"

namespace dotforge {
namespace {

// A square RGBA picture with a diagonal gray ramp and a transparent band.
std::vector<std::uint8_t> Picture(std::int32_t side) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side) * side * 4);
  for (std::int32_t row = 0; row < side; ++row) {
    for (std::int32_t column = 0; column < side; ++column) {
      std::uint8_t* pixel = pixels.data() + (static_cast<std::size_t>(row) * side + column) * 4;
      const auto gray = static_cast<std::uint8_t>((row + column) * 255 / (2 * side));
      pixel[0] = gray;
      pixel[1] = static_cast<std::uint8_t>(255 - gray);
      pixel[2] = gray;
      pixel[3] = row % 16 == 0 ? 0 : 255;
    }
  }
  return pixels;
}

void BM_ImageToDots(benchmark::State& state) {
  const auto side = static_cast<std::int32_t>(state.range(0));
  const std::vector<std::uint8_t> pixels = Picture(side);
  const RawImage image{side, side, RawPixelFormat::Rgba8, static_cast<std::size_t>(side) * 4, pixels};
  std::int32_t percent = 0;
  for (auto _ : state) {
    const ThresholdOptions options{percent, percent % 2 == 1};
    percent = (percent + 7) % (kMaxThresholdPercent + 1);
    benchmark::DoNotOptimize(ImageToDots(image, options));
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_ImageToDots)->Arg(48)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
