// The text preview of 2,000 characters (40 lines of 50) at 2x: the whole
// preview as the panel and dotforge-cli make it (encoding, the glyph index,
// drawing) on a full 65,504-character 24 x 24 double-byte set with UTF-16 CJK
// text and on a 12 x 24 single-byte set with CP437 text; the drawing alone;
// and the PNG of the picture, as Save writes it. Every character of the text
// is in its set.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_fonts.h"
#include "escpos/png_writer.h"
#include "preview/glyph_index.h"
#include "preview/preview_render.h"
#include "preview/preview_text.h"
#include "preview/text_preview.h"

namespace dotforge {
namespace {

constexpr int kLines = 40;
constexpr int kPerLine = 50;
constexpr int kZoom = 2;
constexpr char32_t kFirstIdeograph = 0x4E00;
constexpr char32_t kIdeographs = 7000;

const CDotforgeImportDoc& FullFont() {
  static const auto doc = bench::PatternedFont(24, 24, bench::kFullFontFirstCode, bench::kFullFontCount);
  return *doc;
}

const CDotforgeImportDoc& LatinFont() {
  static const auto doc = [] {
    auto font = bench::PatternedFont(12, 24, 0x20, 224);
    font->fontType = kSingleByteFont;
    return font;
  }();
  return *doc;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// 40 lines of 50 characters, each from `first` on, wrapping after `count`.
std::string Text(char32_t first, char32_t count) {
  std::string text;
  for (int line = 0; line < kLines; ++line) {
    for (int column = 0; column < kPerLine; ++column) {
      AppendUtf8(first + static_cast<char32_t>(line * kPerLine + column) % count, text);
    }
    text += '\n';
  }
  return text;
}

void Finish(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kLines * kPerLine);
  state.SetLabel("2,000 characters at 2x");
}

void BM_PreviewFullDoubleByteSetUtf16(benchmark::State& state) {
  const CDotforgeImportDoc& font = FullFont();
  const PreviewRequest request{Text(kFirstIdeograph, kIdeographs), "UTF-16", kZoom};
  if (!MakePreview(font, request).image) state.SkipWithError("no picture");
  for (auto _ : state) benchmark::DoNotOptimize(MakePreview(font, request));
  Finish(state);
}
BENCHMARK(BM_PreviewFullDoubleByteSetUtf16)->Unit(benchmark::kMillisecond);

void BM_PreviewSingleByteSetCp437(benchmark::State& state) {
  const CDotforgeImportDoc& font = LatinFont();
  // Letters only: the text holds no backslash, which would start an escape.
  const PreviewRequest request{Text(U'A', 26), "CP437", kZoom};
  if (!MakePreview(font, request).image) state.SkipWithError("no picture");
  for (auto _ : state) benchmark::DoNotOptimize(MakePreview(font, request));
  Finish(state);
}
BENCHMARK(BM_PreviewSingleByteSetCp437)->Unit(benchmark::kMillisecond);

void BM_DrawOnlyFullDoubleByteSet(benchmark::State& state) {
  const GlyphIndex glyphs(FullFont());
  const PreviewText text = ParsePreviewText(Text(kFirstIdeograph, kIdeographs), *PreviewEncoder::Open("UTF-16"));
  for (auto _ : state) benchmark::DoNotOptimize(RenderPreview(glyphs, text.lines, kZoom));
  Finish(state);
}
BENCHMARK(BM_DrawOnlyFullDoubleByteSet)->Unit(benchmark::kMillisecond);

void BM_GlyphIndexOfFullSet(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(GlyphIndex(FullFont()));
  state.SetLabel("65,504 characters");
}
BENCHMARK(BM_GlyphIndexOfFullSet)->Unit(benchmark::kMillisecond);

void BM_PngOfPreview(benchmark::State& state) {
  const PreviewPicture picture = MakePreview(FullFont(), {Text(kFirstIdeograph, kIdeographs), "UTF-16", kZoom});
  Bytes png;
  for (auto _ : state) benchmark::DoNotOptimize(EncodePng(*picture.image, png));
  state.SetLabel(std::to_string(picture.image->width) + " x " + std::to_string(picture.image->height) + " pixels");
}
BENCHMARK(BM_PngOfPreview)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
