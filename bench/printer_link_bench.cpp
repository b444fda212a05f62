// Downloading a 7,000-character double-byte 24 x 24 font to the simulated
// printer over a pseudo-terminal: once paced at 115200 baud 8N1 (efficiency =
// stream bytes / (elapsed x 11520 B/s)), once unpaced (throughput, and the CPU
// time our process spends, which shows whether anything busy-waits). The
// simulator runs in a child process so that its work is not counted as ours.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
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

constexpr std::int32_t kSide = 24;
constexpr std::int32_t kCharacters = 7000;

const CDotforgeImportDoc& KanjiFont() {
  static const auto doc = [] {
    auto font = bench::PatternedFont(kSide, kSide, 0x4E00, kCharacters);
    font->SetTitle("KANJI.DDB");
    return font;
  }();
  return *doc;
}

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

// A simulated printer in a child process, stopped with the object.
class ChildPrinter {
 public:
  explicit ChildPrinter(bool paced) {
    std::random_device random;
    link_ = std::filesystem::temp_directory_path() / ("dotforge-bench-" + std::to_string(random()));
    pid_ = fork();
    if (pid_ == 0) {
      sim::SimulatorOptions options;
      options.link = link_;
      options.paced = paced;
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

// One download; false when the printer did not take it.
bool Download(const std::filesystem::path& link) {
  ScriptedPrompt prompt;
  CommSettings settings;
  settings.flowControl = kFlowNone;
  settings.portDevices[0] = link.string();
  CCommContext comm(settings, prompt, CurrentPlatformKind());
  CPrinterCommands commands(comm, prompt);
  const std::shared_ptr<WorkerSink> sink = commands.DownloadEntireFont(KanjiFont());
  if (!sink) return false;
  bool failed = false;
  while (!sink->Finished()) {
    sink->WaitForUpdate(std::chrono::milliseconds(500));
    failed = failed || !sink->Drain().messages.empty();
  }
  failed = failed || !sink->Drain().messages.empty();
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

}  // namespace
}  // namespace dotforge
