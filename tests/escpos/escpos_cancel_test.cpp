#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "escpos/escpos_printer.h"
#include "escpos/escpos_sender.h"
#include "escpos/escpos_stream.h"
#include "escpos/receipt_image.h"
#include "framework/scripted_prompt.h"
#include "printersim/pseudo_terminal.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// The virtual printer and what it made of every byte it received.
struct Receipt {
  Receipt() = default;
  Receipt(const Receipt&) = delete;  // the printer reports into this one
  std::vector<std::string> faults;
  EscPosPrinter printer{{}, [this](const std::string& report) { faults.push_back(report); }};
  std::vector<std::string> Art() const {
    std::vector<std::string> art;
    for (const PrintedLine& line : printer.Lines()) art.push_back(LineArt(line));
    return art;
  }
};

EscPosStream StreamOf(const CDotforgeImportDoc& doc, const std::string& text) {
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.sampleText = text;
  return *BuildEscPosStream(doc, options, prompt);
}

ByteView Head(const Bytes& bytes, std::size_t size) { return ByteView(bytes).first(size); }

TEST(EscPosCancel, EveryCutEndsBetweenCommandsAndTheNextSendPrintsAsIfAlone) {
  // Two runs of definitions, a sample line with a character the set lacks.
  const auto doc = test::MakeFontSet(12, 24, {0x41, 0x42, 0x43, 0x5A});
  const EscPosStream stream = StreamOf(*doc, "ABZ?C");
  Receipt alone;
  alone.printer.Feed(stream.bytes);
  ASSERT_EQ(alone.Art().size(), 1u);

  for (std::size_t cut = 0; cut <= stream.bytes.size(); ++cut) {
    // Cancelled: what was handed over, then the completion of the command cut.
    Receipt cancelled;
    Receipt ended;
    for (Receipt* receipt : {&cancelled, &ended}) {
      receipt->printer.Feed(Head(stream.bytes, cut));
      receipt->printer.Feed(stream.CompletionAt(cut));
    }
    ended.printer.Finish();
    EXPECT_EQ(ended.faults, std::vector<std::string>{}) << "cut at " << cut;

    cancelled.printer.Feed(stream.bytes);
    EXPECT_EQ(cancelled.faults, std::vector<std::string>{}) << "cut at " << cut;
    // The cancelled line, when its LF went out before the cut, then the new one.
    const std::vector<std::string> art = cancelled.Art();
    ASSERT_FALSE(art.empty()) << "cut at " << cut;
    EXPECT_EQ(art.back(), alone.Art()[0]) << "cut at " << cut;
  }

  // A send that failed inside the dots is not completed: the next stream's
  // NULs end the definition and ESC @ starts afresh.
  for (const EscPosCommand& command : stream.commands) {
    for (const ByteRange& dots : command.dots) {
      for (std::size_t cut = dots.begin; cut < dots.end; ++cut) {
        Receipt failed;
        failed.printer.Feed(Head(stream.bytes, cut));
        failed.printer.Feed(stream.bytes);
        EXPECT_EQ(failed.faults, std::vector<std::string>{}) << "cut at " << cut;
        EXPECT_EQ(failed.Art(), alone.Art()) << "cut at " << cut;
      }
    }
  }
}

// The virtual printer on the far end of a pseudo-terminal, fed on a thread.
class LinePrinter {
 public:
  explicit LinePrinter(int master)
      : thread_([this, master] {
          std::uint8_t buffer[512];
          while (!stop_) {
            pollfd watched{master, POLLIN, 0};
            if (poll(&watched, 1, 20) <= 0) continue;
            const ssize_t count = read(master, buffer, sizeof buffer);
            if (count <= 0) continue;
            const std::lock_guard lock(mutex_);
            receipt_.printer.Feed(ByteView(buffer, static_cast<std::size_t>(count)));
            received_ += static_cast<std::size_t>(count);
          }
        }) {}
  ~LinePrinter() {
    stop_ = true;
    thread_.join();
  }
  // The bytes received so far, once none has come for a fifth of a second.
  std::size_t Settled() {
    std::size_t last = Received();
    for (int look = 0; look < 100; ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      if (Received() == last) break;
      last = Received();
    }
    return last;
  }
  std::vector<std::string> Faults() {
    const std::lock_guard lock(mutex_);
    return receipt_.faults;
  }
  std::vector<std::string> Art() {
    const std::lock_guard lock(mutex_);
    return receipt_.Art();
  }

 private:
  std::size_t Received() {
    const std::lock_guard lock(mutex_);
    return received_;
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  Receipt receipt_;
  std::size_t received_ = 0;
  std::thread thread_;
};

TEST(EscPosCancel, CancelsPartWayThroughTheDefinitionsThenASendOnTheSameLinePrints) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  const auto doc = test::MakeFontSet(12, 24, test::CodeRange(0x41, 0x48));
  // A line long enough that each cancel comes before the last byte is written.
  const EscPosStream stream = StreamOf(*doc, "HEADBAGE HEADBAGE HEADBAGE HEADBAGE");
  Receipt alone;
  alone.printer.Feed(stream.bytes);

  EscPosTarget target;
  target.kind = EscPosLinkKind::Serial;
  target.path = (dir / "ttyPRN").string();
  // 96 bytes are a tenth of a second of line time: the sender writes no more
  // than two such windows ahead of what has left.
  target.line.baudRate = 9600;
  LinePrinter printer(line.Master());
  std::size_t before = 0;
  // Progress points inside the one ESC & (bytes 136..437) of a 479-byte stream.
  for (const std::size_t cancelAt : {140u, 180u, 220u, 260u}) {
    Event cancel(ResetMode::Manual);
    const EscPosSendResult result = SendEscPos(target, stream, cancel, [&](std::size_t sent, std::size_t) {
      if (sent >= cancelAt) cancel.Set();
    });
    EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled) << "cancelled at " << cancelAt;
    const std::size_t received = printer.Settled();
    // The printer got the stream up to a command's end, never into the next.
    const std::size_t cut = received - before;
    EXPECT_LT(cut, stream.bytes.size()) << "cancelled at " << cancelAt;
    EXPECT_EQ(stream.CompletionAt(cut), Bytes{}) << "cancelled at " << cancelAt << ", cut at " << cut;
    before = received;
  }
  Event cancel(ResetMode::Manual);
  EXPECT_EQ(SendEscPos(target, stream, cancel).status, EscPosSendResult::Status::Sent);
  printer.Settled();
  EXPECT_EQ(printer.Faults(), std::vector<std::string>{});
  EXPECT_EQ(printer.Art(), alone.Art());
}

}  // namespace
}  // namespace dotforge
