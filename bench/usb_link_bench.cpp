// Downloading a 7,000-character double-byte 24 x 24 font over USB to the
// simulated printer on the fake bus: throughput, and the CPU time of the
// process. The fake bus runs the printer's side in this process, on the
// writer thread, so the printer's own share is measured apart (the same
// stream fed straight to the printer) and reported beside it; what is left is
// the link's, with the building of the stream (also measured apart). A busy
// wait anywhere would show as CPU time near the elapsed time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <thread>

#include "bench_fonts.h"
#include "comm/comm_context.h"
#include "comm/usb_info.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "printer/printer_commands.h"
#include "printersim/usb_printer.h"

namespace dotforge {
namespace {

const CDotforgeImportDoc& KanjiFont() { return bench::KanjiDownloadFont(); }

const Bytes& Stream() {
  static const Bytes bytes = [] {
    ScriptedPrompt prompt;
    return BuildDownloadStream(KanjiFont(), prompt)->bytes;
  }();
  return bytes;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The printer's share: the stream fed to a printer directly.
double PrinterCpuSeconds() {
  sim::UsbPrinter printer;
  printer.SetRecording(false);
  Bytes answer;
  const double before = CpuSeconds();
  printer.Received(Stream(), answer);
  return CpuSeconds() - before;
}

// Building the stream from the font set, which the download's worker does too.
double StreamBuildCpuSeconds() {
  ScriptedPrompt prompt;
  const double before = CpuSeconds();
  benchmark::DoNotOptimize(BuildDownloadStream(KanjiFont(), prompt));
  return CpuSeconds() - before;
}

bool Download(CPrinterCommands& commands) {
  const std::shared_ptr<WorkerSink> sink = commands.DownloadEntireFont(KanjiFont());
  if (!sink) return false;
  bool failed = false;
  while (!sink->Finished()) {
    sink->WaitForUpdate(std::chrono::milliseconds(500));
    failed = failed || !sink->Drain().messages.empty();
  }
  return !failed && sink->Drain().messages.empty();
}

void UsbDownload(benchmark::State& state) {
  usb::FakeUsbBackend backend;
  usb::ScopedBackend installed(backend);
  auto printer = std::make_shared<sim::UsbPrinter>();
  printer->SetRecording(false);
  backend.Plug(sim::UsbPrinterSpec(), printer);
  ScriptedPrompt prompt;
  CommSettings settings;
  settings.interfaceType = kInterfaceUsb;
  CCommContext comm(settings, prompt, CurrentPlatformKind());
  CPrinterCommands commands(comm, prompt);
  // The connection is opened (and reopened at its first reuse) outside the timing.
  comm.OpenInterface();
  comm.OpenInterface();

  double cpu = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    if (!Download(commands)) state.SkipWithError("download failed");
    cpu += CpuSeconds() - before;
  }
  commands.Shutdown();
  const double printerCpu = PrinterCpuSeconds();
  state.counters["process_cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
  state.counters["printer_cpu_ms"] = printerCpu * 1000;
  state.counters["stream_build_cpu_ms"] = StreamBuildCpuSeconds() * 1000;
  state.counters["stream_bytes"] = static_cast<double>(Stream().size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Stream().size()));
}
BENCHMARK(UsbDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

// A printer that stopped reading: the writer waits on a bulk OUT transfer, the
// reader on a bulk IN transfer. The CPU time the process spends meanwhile.
void UsbStalledLinkIdle(benchmark::State& state) {
  usb::FakeUsbBackend backend;
  usb::ScopedBackend installed(backend);
  const std::size_t device = backend.Plug(sim::UsbPrinterSpec(), std::make_shared<sim::UsbPrinter>());
  ScriptedPrompt prompt;
  CommSettings settings;
  settings.interfaceType = kInterfaceUsb;
  CCommContext comm(settings, prompt, CurrentPlatformKind());
  if (!comm.OpenInterface()) state.SkipWithError("open failed");
  backend.SetReading(device, false);
  comm.Send(Bytes(3 * CUsbInfo::kLargestWrite, 0));
  double cpu = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    cpu += CpuSeconds() - before;
  }
  state.counters["cpu_ms_per_s"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
  backend.SetReading(device, true);
  comm.CloseInterface();
}
BENCHMARK(UsbStalledLinkIdle)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace dotforge
