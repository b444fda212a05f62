// Downloading to the simulated printer over a pseudo-terminal. A 7,000-character
// double-byte 24 x 24 font, once paced at 115200 baud 8N1 (efficiency = stream
// bytes / (elapsed x 11520 B/s)), once unpaced (throughput, and the CPU time our
// process spends, which shows whether anything busy-waits). Full single-byte
// fonts whose line time is longer than the reply limit: 32 x 32 at 115200 and
// 8 x 16 at 9600 baud (efficiency = stream bytes / (elapsed x baud / 10)). A
// double-byte 18 x 18 font sent row by row at 115200 baud (line_ratio = the
// line's own time / elapsed). And Exit in the middle of a download into a
// printer that has stopped reading: the time Shutdown takes. The simulator runs
// in a child process so that its work is not counted as ours.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "bench_fonts.h"
#include "comm/comm_context.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "printer/printer_commands.h"
#include "printersim/printer_simulator.h"

namespace dotforge {
namespace {

const CDotforgeImportDoc& KanjiFont() { return bench::KanjiDownloadFont(); }

std::size_t StreamBytes() {
  ScriptedPrompt prompt;
  return BuildDownloadStream(KanjiFont(), prompt)->bytes.size();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

const CDotforgeImportDoc& FullSingleByteFont(std::int32_t width, std::int32_t height) {
  static std::map<std::pair<int, int>, std::unique_ptr<CDotforgeImportDoc>> fonts;
  auto& font = fonts[{width, height}];
  if (!font) {
    font = bench::PatternedFont(width, height, 0x20, 224);
    font->fontType = kSingleByteFont;
    font->fontId = '0';
    font->SetTitle("FULL.DSB");
  }
  return *font;
}

std::size_t StreamBytesOf(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  return BuildDownloadStream(doc, prompt)->bytes.size();
}

// A simulated printer in a child process, stopped with the object.
class ChildPrinter {
 public:
  explicit ChildPrinter(bool paced, sim::Misbehaviour misbehaviour = sim::Misbehaviour::None) {
    std::random_device random;
    link_ = std::filesystem::temp_directory_path() / ("dotforge-bench-" + std::to_string(random()));
    pid_ = fork();
    if (pid_ == 0) {
      sim::SimulatorOptions options;
      options.link = link_;
      options.paced = paced;
      options.misbehaviour = misbehaviour;
      options.stallAfterBytes = 4096;
      options.timeoutSeconds = 300;
      sim::PrinterSimulator simulator(options, {});
      std::string error;
      if (simulator.Open(error)) simulator.Run();
      _exit(0);
    }
    for (int i = 0; i < 5000 && !std::filesystem::exists(link_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~ChildPrinter() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
  }
  const std::filesystem::path& Link() const { return link_; }

 private:
  std::filesystem::path link_;
  pid_t pid_ = -1;
};

CommSettings LinkSettings(const std::filesystem::path& link, int baudIndex) {
  CommSettings settings;
  settings.flowControl = kFlowNone;
  settings.baudRate = baudIndex;
  settings.portDevices[0] = link.string();
  return settings;
}

// One download; false when the printer did not take it.
bool Download(const std::filesystem::path& link, const CDotforgeImportDoc& doc = KanjiFont(), int baudIndex = 0) {
  ScriptedPrompt prompt;
  CCommContext comm(LinkSettings(link, baudIndex), prompt, CurrentPlatformKind());
  CPrinterCommands commands(comm, prompt);
  const std::shared_ptr<WorkerSink> sink = commands.DownloadEntireFont(doc);
  if (!sink) return false;
  bool failed = false;
  const auto drain = [&] {
    for (const std::string& message : sink->Drain().messages) {
      std::fprintf(stderr, "download: %s\n", message.c_str());
      failed = true;
    }
  };
  while (!sink->Finished()) {
    sink->WaitForUpdate(std::chrono::milliseconds(500));
    drain();
  }
  drain();
  return !failed;
}

void PacedDownload(benchmark::State& state) {
  ChildPrinter printer(true);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!Download(printer.Link())) state.SkipWithError("download failed");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["efficiency_pct"] = 100.0 * static_cast<double>(StreamBytes()) / (seconds * 11520.0);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(StreamBytes()));
}
BENCHMARK(PacedDownload)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void UnpacedDownload(benchmark::State& state) {
  ChildPrinter printer(false);
  double cpu = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    if (!Download(printer.Link())) state.SkipWithError("download failed");
    cpu += CpuSeconds() - before;
  }
  state.counters["our_cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(StreamBytes()));
}
BENCHMARK(UnpacedDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full single-byte font of the given cell, paced at the baud rate of
// `baudIndex` (0: 115200, 4: 9600).
void PacedSingleByte(benchmark::State& state, std::int32_t side, std::int32_t height, int baudIndex, int baud) {
  const CDotforgeImportDoc& doc = FullSingleByteFont(side, height);
  const std::size_t bytes = StreamBytesOf(doc);
  ChildPrinter printer(true);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!Download(printer.Link(), doc, baudIndex)) state.SkipWithError("download failed");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["efficiency"] = static_cast<double>(bytes) / (seconds * baud / 10.0);
    state.counters["stream_bytes"] = static_cast<double>(bytes);
  }
}
void Paced32x32At115200(benchmark::State& state) { PacedSingleByte(state, 32, 32, 0, 115200); }
void Paced8x16At9600(benchmark::State& state) { PacedSingleByte(state, 8, 16, 4, 9600); }
BENCHMARK(Paced32x32At115200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(Paced8x16At9600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A double-byte 18 x 18 font in rows of 94 codes with a gap after each row, as
// a font in JIS order has: every row goes to the printer as a block of its own
// and waits for the printer's answer. 24 rows, 2,256 characters, 124 kB.
const CDotforgeImportDoc& RowedFont() {
  static const auto doc = [] {
    auto font = bench::PatternedFont(18, 18, 0x8800, 0);
    for (std::int32_t row = 0; row < 24; ++row) {
      for (std::int32_t cell = 0; cell < 94; ++cell) {
        const std::int32_t code = 0x88A1 + row * 0x100 + cell;
        CharacterRecord& record = font->AppendCharacter(code, 18, 18);
        for (std::size_t i = 0; i < record.bitmap.size(); ++i) record.bitmap[i] = static_cast<std::uint8_t>(code + i);
      }
    }
    font->characterCount = static_cast<std::int32_t>(font->characters.size());
    font->SelectFirst();
    font->SetTitle("ROWS.DDB");
    return font;
  }();
  return *doc;
}

// The rowed font at 115200 baud: how close the simulated printer comes to the
// line's own time (line_ratio = stream bytes / 11520 B/s / elapsed).
void PacedRows18x18(benchmark::State& state) {
  const std::size_t bytes = StreamBytesOf(RowedFont());
  ChildPrinter printer(true);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!Download(printer.Link(), RowedFont())) state.SkipWithError("download failed");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["line_ratio"] = static_cast<double>(bytes) / 11520.0 / seconds;
    state.counters["line_s"] = static_cast<double>(bytes) / 11520.0;
    state.counters["stream_bytes"] = static_cast<double>(bytes);
  }
}
BENCHMARK(PacedRows18x18)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// Exit while a download waits on a printer that has stopped reading.
void ExitWithStalledLine(benchmark::State& state) {
  ChildPrinter printer(false, sim::Misbehaviour::Stall);
  double longest = 0;
  for (auto _ : state) {
    ScriptedPrompt prompt;
    CCommContext comm(LinkSettings(printer.Link(), 0), prompt, CurrentPlatformKind());
    CPrinterCommands commands(comm, prompt);
    const std::shared_ptr<WorkerSink> sink = commands.DownloadEntireFont(FullSingleByteFont(32, 32));
    if (!sink) state.SkipWithError("download did not start");
    // Long enough for the line to fill up and the writer to block.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const auto start = std::chrono::steady_clock::now();
    commands.Shutdown();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    longest = std::max(longest, ms);
    if (sink && !sink->Finished()) state.SkipWithError("worker still running after Shutdown");
  }
  state.counters["shutdown_ms_max"] = longest;
}
BENCHMARK(ExitWithStalledLine)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace dotforge
