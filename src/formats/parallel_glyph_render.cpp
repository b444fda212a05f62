#include "formats/parallel_glyph_render.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "formats/freetype_handles.h"

namespace dotforge {
namespace {

constexpr unsigned kMaxThreads = 16;
// Each extra thread opens the face again; below this many glyphs per thread that
// costs more than it saves.
constexpr std::size_t kMinGlyphsPerThread = 512;
// The reporting thread tells the progress after this many of its own glyphs, and
// at this interval while it waits for the others.
constexpr std::size_t kGlyphsPerReport = 128;
constexpr std::chrono::milliseconds kReportInterval{25};

unsigned ThreadsFor(unsigned requested, std::size_t glyphs) {
  if (requested != 0) return std::min(requested, kMaxThreads);
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
  return static_cast<unsigned>(std::clamp<std::size_t>(glyphs / kMinGlyphsPerThread, 1, cores));
}

// A thread's own run: its own library and face, prepared by the job.
std::optional<std::size_t> RenderOwnRun(const GlyphRunJob& job, std::size_t begin, std::size_t end,
                                        RenderControl& control) {
  const FreeTypeLibrary library = InitFreeType();
  FT_Error error = 0;
  const FreeTypeFace face = library ? OpenFace(library.get(), job.path.c_str(), job.faceIndex, error) : nullptr;
  if (!face || !job.prepare(face.get())) return begin;
  return job.render(library.get(), face.get(), begin, end, control);
}

}  // namespace

GlyphRunOutcome RenderGlyphRuns(const GlyphRunJob& job, FT_Library library, FT_Face face, unsigned threads,
                                const ProgressCallback& progress) {
  threads = ThreadsFor(threads, job.count);
  const std::size_t count = job.count;
  const std::size_t chunk = (count + threads - 1) / threads;
  std::vector<std::optional<std::size_t>> failures(threads);
  RenderControl control;
  std::atomic<unsigned> finished{0};
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) {
    const std::size_t begin = std::min(count, t * chunk);
    const std::size_t end = std::min(count, begin + chunk);
    workers.emplace_back([&job, t, begin, end, &failures, &control, &finished] {
      failures[t] = RenderOwnRun(job, begin, end, control);
      finished.fetch_add(1);
    });
  }
  const auto report = [&] {
    if (progress && !progress(control.done.load(std::memory_order_relaxed), count)) control.stop = true;
  };
  report();
  const std::size_t ownEnd = std::min(count, chunk);
  for (std::size_t begin = 0; begin < ownEnd && !failures[0] && !control.stop; begin += kGlyphsPerReport) {
    failures[0] = job.render(library, face, begin, std::min(ownEnd, begin + kGlyphsPerReport), control);
    report();
  }
  while (finished.load() < static_cast<unsigned>(workers.size())) {
    std::this_thread::sleep_for(kReportInterval);
    report();
  }
  for (std::thread& worker : workers) worker.join();
  if (!control.stop) report();
  GlyphRunOutcome outcome;
  outcome.cancelled = control.stop;
  // Runs are in glyph order, so the first failure found is the lowest.
  for (const std::optional<std::size_t>& failure : failures) {
    if (failure) {
      outcome.failed = failure;
      break;
    }
  }
  return outcome;
}

}  // namespace dotforge
