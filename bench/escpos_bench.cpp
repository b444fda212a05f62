// The ESC/POS stream of the 95 characters 0x20..0x7E of a 12 x 24 set: built
// alone, and built and sent to the network simulator on 127.0.0.1 (the virtual
// printer's engine behind a TCP listener on its own thread, which interprets
// every byte). Wall time per send and stream bytes per second; the send counts
// until the printer has acknowledged every byte after the sending side was
// shut down.
// And the picture stream of a 40-line text of a 24 x 24 double-byte set (24
// characters a line, so at zoom 2 every line wraps once) at zoom 1 and 2, in
// raster and column form: built alone (time and stream bytes), and built and
// sent to the same simulator.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "bench_fonts.h"
#include "escpos/sim/escpos_printer.h"
#include "escpos/send/escpos_sender.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/streams/picture_stream.h"
#include "receipt/text_lines.h"
#include "framework/scripted_prompt.h"

namespace dotforge {
namespace {

constexpr const char* kSample = "The quick brown fox jumps over the lazy dog 0123456789";

const CDotforgeImportDoc& PrintableFont() {
  static const auto doc = bench::PatternedFont(12, 24, 0x20, 95);
  return *doc;
}

// Accepts connection after connection and feeds each to the virtual printer.
class SimulatedPrinter {
 public:
  SimulatedPrinter() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
    listen(fd_, 8);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~SimulatedPrinter() {
    stop_ = true;
    thread_.join();
    close(fd_);
  }
  std::uint16_t Port() const { return port_; }

 private:
  void Serve() {
    std::uint8_t buffer[16384];
    while (!stop_) {
      pollfd listening{fd_, POLLIN, 0};
      if (poll(&listening, 1, 50) <= 0) continue;
      const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      ssize_t count = 0;
      while (client >= 0 && (count = read(client, buffer, sizeof buffer)) > 0) {
        printer_.Feed(ByteView(buffer, static_cast<std::size_t>(count)));
      }
      if (client >= 0) close(client);
    }
  }

  int fd_;
  std::uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  EscPosPrinter printer_{{}, [](const std::string& report) { std::fprintf(stderr, "%s\n", report.c_str()); }};
  std::thread thread_;
};

EscPosStreamOptions Options() {
  EscPosStreamOptions options;
  options.sampleText = kSample;
  return options;
}

void BM_EscPosBuild(benchmark::State& state) {
  ScriptedPrompt prompt;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto stream = BuildEscPosStream(PrintableFont(), Options(), prompt);
    bytes = stream->bytes.size();
    benchmark::DoNotOptimize(stream->bytes.data());
  }
  state.counters["stream_bytes"] = static_cast<double>(bytes);
  state.counters["bytes_per_second"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EscPosBuild)->Unit(benchmark::kMicrosecond);

// Builds the stream `build` gives and sends it to the simulated printer over
// TCP, once per iteration.
template <typename Build>
void BuildAndSendTcp(benchmark::State& state, Build build) {
  SimulatedPrinter printer;
  EscPosTarget target;
  target.kind = EscPosLinkKind::Network;
  target.host = "127.0.0.1";
  target.port = printer.Port();
  Event cancel(ResetMode::Manual);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto stream = build();
    bytes = stream.bytes.size();
    const EscPosSendResult result = SendEscPos(target, stream, cancel);
    if (result.status != EscPosSendResult::Status::Sent) {
      state.SkipWithError(result.message.c_str());
      break;
    }
  }
  state.counters["stream_bytes"] = static_cast<double>(bytes);
  state.counters["bytes_per_second"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EscPosBuildAndSendTcp(benchmark::State& state) {
  ScriptedPrompt prompt;
  BuildAndSendTcp(state, [&] { return *BuildEscPosStream(PrintableFont(), Options(), prompt); });
}
BENCHMARK(BM_EscPosBuildAndSendTcp)->Unit(benchmark::kMillisecond)->UseRealTime();

// 40 lines of 24 characters U+4E00.., each a character of the set.
TextPrintRequest KanjiText(int zoom) {
  TextPrintRequest request;
  char32_t next = 0x4E00;
  for (int line = 0; line < 40; ++line) {
    for (int column = 0; column < 24; ++column, ++next) {
      // U+4E00..U+9FFF: three bytes of UTF-8.
      request.text += static_cast<char>(0xE0 | (next >> 12));
      request.text += static_cast<char>(0x80 | ((next >> 6) & 0x3F));
      request.text += static_cast<char>(0x80 | (next & 0x3F));
    }
    request.text += '\n';
  }
  request.zoom = zoom;
  return request;
}

CommandStream KanjiStream(const TextPrintRequest& request, PictureMode mode) {
  std::string error;
  PictureStreamOptions options;
  options.mode = mode;
  return BuildPictureStream(*TextReceiptLines(bench::KanjiDownloadFont(), request, error), options);
}

PictureMode ModeOf(const benchmark::State& state) { return state.range(1) == 0 ? PictureMode::Raster : PictureMode::Column; }

void BM_PictureBuild(benchmark::State& state) {
  const TextPrintRequest request = KanjiText(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const CommandStream stream = KanjiStream(request, ModeOf(state));
    bytes = stream.bytes.size();
    benchmark::DoNotOptimize(stream.bytes.data());
  }
  state.counters["stream_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PictureBuild)->ArgsProduct({{1, 2}, {0, 1}})->ArgNames({"zoom", "column"})->Unit(benchmark::kMillisecond);

void BM_PictureBuildAndSendTcp(benchmark::State& state) {
  const TextPrintRequest request = KanjiText(static_cast<int>(state.range(0)));
  BuildAndSendTcp(state, [&] { return KanjiStream(request, ModeOf(state)); });
}
BENCHMARK(BM_PictureBuildAndSendTcp)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"zoom", "column"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace dotforge
