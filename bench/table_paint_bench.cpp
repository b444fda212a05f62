// Painting the visible area of the character table: the cost must not grow with
// the number of characters in the font set (1k against the full 65k).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include "bench_fonts.h"
#include "app/shell/dotforge_app.h"
#include "app/shell/child_frame.h"
#include "app/table/import_view.h"

namespace dotforge {
namespace {

std::unique_ptr<CDotforgeImportDoc> FontOf(std::int32_t count) {
  auto doc = bench::PatternedFont(24, 24, 0x20, count);
  doc->SetTitle("BENCH.DDB");
  return doc;
}

void PaintVisibleArea(benchmark::State& state) {
  CDotforgeApp app;
  app.Start(StartOptions{false});
  CDotforgeImportDoc& doc = app.Core().AddFontSet(FontOf(static_cast<std::int32_t>(state.range(0))));
  QApplication::processEvents();
  auto* view = dynamic_cast<CDotforgeImportView*>(app.WindowsOf(doc).front()->widget());
  view->parentWidget()->resize(1000, 700);
  // Scrolled to the middle of the table, where every row above is laid out too.
  view->ScrollTo(QPoint(0, view->CanvasSize().height() / 2));
  QImage image(view->viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    view->viewport()->render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}

BENCHMARK(PaintVisibleArea)->Arg(1000)->Arg(65504)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir settings;
  qputenv("DOTFORGE_SETTINGS_FILE", settings.filePath("settings.conf").toUtf8());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
