#include "formats/outline/parallel_glyph_render.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "formats/outline/freetype_handles.h"

namespace dotforge {
namespace {

constexpr unsigned kMaxThreads = 16;
// Each extra thread opens the face again; below this many glyphs per thread that
// costs more than it saves.
constexpr std::size_t kMinGlyphsPerThread = 512;
// Glyphs are handed out in runs of this many, each run to whichever thread is
// free. Glyphs differ widely in cost (an ideograph of many strokes against a
// space), and another program may hold one of the cores for a while: fixed
// shares would leave one thread idle while another still has half of its share.
// The calling thread tells the progress after each of its runs.
constexpr std::size_t kGlyphsPerRun = 64;

unsigned ThreadsFor(unsigned requested, std::size_t glyphs) {
  if (requested != 0) return std::min(requested, kMaxThreads);
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
  return static_cast<unsigned>(std::clamp<std::size_t>(glyphs / kMinGlyphsPerThread, 1, cores));
}

// The runs of the job in glyph order, taken by the threads as they come free,
// and the lowest glyph that failed.
class RunQueue {
 public:
  explicit RunQueue(std::size_t count) : count_(count) {}

  // The next run not yet taken, or nothing once all are taken or a glyph failed.
  // A failure stops new runs only: every run before the failed one was taken
  // earlier and is finished, so the lowest failure is found.
  std::optional<std::pair<std::size_t, std::size_t>> Take() {
    if (failed_.load(std::memory_order_relaxed)) return std::nullopt;
    const std::size_t begin = next_.fetch_add(kGlyphsPerRun, std::memory_order_relaxed);
    if (begin >= count_) return std::nullopt;
    return std::pair{begin, std::min(count_, begin + kGlyphsPerRun)};
  }

  void Failed(std::size_t glyph) {
    const std::lock_guard guard(lock_);
    lowest_ = std::min(lowest_.value_or(glyph), glyph);
    failed_ = true;
  }

  std::optional<std::size_t> LowestFailure() {
    const std::lock_guard guard(lock_);
    return lowest_;
  }

 private:
  const std::size_t count_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  std::mutex lock_;
  std::optional<std::size_t> lowest_;
};

// Renders runs from the queue until none is left; `afterRun` follows each run.
template <typename AfterRun>
void RenderRuns(const GlyphRunJob& job, FT_Library library, FT_Face face, RunQueue& runs, RenderControl& control,
                AfterRun afterRun) {
  while (!control.stop.load(std::memory_order_relaxed)) {
    const auto run = runs.Take();
    if (!run) return;
    if (const std::optional<std::size_t> failed = job.render(library, face, run->first, run->second, control)) {
      runs.Failed(*failed);
      return;
    }
    control.done.fetch_add(run->second - run->first, std::memory_order_relaxed);
    afterRun();
  }
}

// An extra thread's share: its own library and face, prepared by the job. A
// thread whose face does not open takes no runs; the others render them.
void RenderOnOwnFace(const GlyphRunJob& job, RunQueue& runs, RenderControl& control) {
  const FreeTypeLibrary library = InitFreeType();
  FT_Error error = 0;
  const FreeTypeFace face = library ? OpenFace(library.get(), job.path.c_str(), job.faceIndex, error) : nullptr;
  if (!face || !job.prepare(face.get())) return;
  RenderRuns(job, library.get(), face.get(), runs, control, [] {});
}

}  // namespace

GlyphRunOutcome RenderGlyphRuns(const GlyphRunJob& job, FT_Library library, FT_Face face, unsigned threads,
                                const ProgressCallback& progress) {
  threads = ThreadsFor(threads, job.count);
  RunQueue runs(job.count);
  RenderControl control;
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) {
    workers.emplace_back([&job, &runs, &control] { RenderOnOwnFace(job, runs, control); });
  }
  const auto report = [&] {
    if (progress && !progress(control.done.load(std::memory_order_relaxed), job.count)) control.stop = true;
  };
  report();
  RenderRuns(job, library, face, runs, control, report);
  // Every run is taken: the others finish theirs within one run.
  for (std::thread& worker : workers) worker.join();
  if (!control.stop) report();
  GlyphRunOutcome outcome;
  outcome.cancelled = control.stop;
  outcome.failed = runs.LowestFailure();
  return outcome;
}

}  // namespace dotforge
