#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "escpos/sim/escpos_printer.h"
#include "escpos/send/escpos_sender.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/sim/receipt_image.h"
#include "framework/scripted_prompt.h"
#include "escpos/local_listener.h"
#include "printersim/pseudo_terminal.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using Clock = std::chrono::steady_clock;

Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + i / 241);
  return bytes;
}

EscPosTarget Device(const std::filesystem::path& path) {
  EscPosTarget target;
  target.kind = EscPosLinkKind::Device;
  target.path = path.string();
  return target;
}

EscPosTarget Serial(const std::filesystem::path& path, std::int32_t baud = 115200) {
  EscPosTarget target;
  target.kind = EscPosLinkKind::Serial;
  target.path = path.string();
  target.line.baudRate = baud;
  return target;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Sets `cancel` after `ms` on a thread of its own.
std::thread CancelAfter(Event& cancel, int ms) {
  return std::thread([&cancel, ms] {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    cancel.Set();
  });
}

// Holds an exclusive lock on a file, as another program using the port would.
class HeldLock {
 public:
  explicit HeldLock(const std::filesystem::path& path)
      : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    flock(fd_, LOCK_EX);
  }
  ~HeldLock() { close(fd_); }

 private:
  int fd_;
};

// The master side of a pseudo-terminal read on a thread: what the line carried.
// It reads until `expected` bytes came (or, asked to, sends XOFF after the
// first piece), or until Received gives up waiting.
class LineReader {
 public:
  LineReader(int master, std::size_t expected, bool xoffAfterFirst = false)
      : thread_([this, master, expected, xoffAfterFirst] {
          std::uint8_t buffer[1024];
          while (received_.size() < expected && !stop_) {
            pollfd watched{master, POLLIN, 0};
            if (poll(&watched, 1, 20) <= 0) continue;
            const ssize_t count = read(master, buffer, sizeof buffer);
            if (count <= 0) break;
            received_.insert(received_.end(), buffer, buffer + count);
            if (xoffAfterFirst) {
              const std::uint8_t xoff = 0x13;
              EXPECT_EQ(write(master, &xoff, 1), 1);
              break;
            }
          }
          ended_.Set();
        }) {}
  ~LineReader() { Stop(0); }
  // What arrived once `expected` bytes are there, or after `limitMs`.
  Bytes Received(int limitMs = 2000) {
    Stop(limitMs);
    return received_;
  }

 private:
  void Stop(int limitMs) {
    ended_.Wait(limitMs);
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::atomic<bool> stop_{false};
  Event ended_{ResetMode::Manual};
  Bytes received_;
  std::thread thread_;
};

TEST(EscPosDevice, NamedPipeStandsForTheUsbPrinterAndARegularFileIsRefusedUntouched) {
  test::TempDir dir;
  const auto lp0 = dir / "lp0";
  test::FifoPrinter printer(lp0);
  Event cancel(ResetMode::Manual);
  std::size_t lastProgress = 0;
  {
    LineReader reader(printer.Fd(), 70000);
    EXPECT_EQ(SendEscPos(Device(lp0), Pattern(70000), cancel, [&](std::size_t sent, std::size_t) { lastProgress = sent; })
                  .status,
              EscPosSendResult::Status::Sent);
    EXPECT_EQ(reader.Received(), Pattern(70000));
  }
  EXPECT_EQ(lastProgress, 70000u);
  EXPECT_EQ(SendEscPos(Device(lp0), Pattern(10), cancel).status, EscPosSendResult::Status::Sent);
  EXPECT_EQ(printer.Take(), Pattern(10));

  const auto file = dir / "receipt.bin";
  test::WriteBytes(file, Pattern(3));
  const EscPosSendResult result = SendEscPos(Device(file), Pattern(10), cancel);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message, file.string() + " is not a printer device.");
  EXPECT_EQ(test::ReadBytes(file), Pattern(3));
}

TEST(EscPosDevice, MissingBusyAndRefusedDevicesAreToldApart) {
  test::TempDir dir;
  Event cancel(ResetMode::Manual);
  const auto missing = dir / "lp7";
  EscPosSendResult result = SendEscPos(Device(missing), Pattern(4), cancel);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message,
            "The printer device " + missing.string() + " does not exist (is the printer plugged in and on?).");
  EXPECT_FALSE(std::filesystem::exists(missing));

  const auto lp0 = dir / "lp0";
  test::FifoPrinter printer(lp0);
  {
    HeldLock other(lp0);
    result = SendEscPos(Device(lp0), Pattern(4), cancel);
    EXPECT_EQ(result.message, "The printer device " + lp0.string() + " is busy: another program is using it.");
  }
  EXPECT_EQ(SendEscPos(Device(lp0), Pattern(4), cancel).status, EscPosSendResult::Status::Sent);

  // A file nobody may write, whatever the user's privileges.
  const std::filesystem::path readOnly = "/sys/devices/system/cpu/online";
  if (std::filesystem::exists(readOnly)) {
    result = SendEscPos(Device(readOnly), Pattern(4), cancel);
    EXPECT_EQ(result.message, "Permission denied for the printer device " + readOnly.string() +
                                  ": the user must be allowed to write it (group lp).");
  }
}

TEST(EscPosDevice, DeviceThatStopsTakingDataStallsOrIsCancelled) {
  // A pipe with a reader that never reads fills up like a printer that is out
  // of paper.
  test::TempDir dir;
  const auto fifo = dir / "lp0";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  Event cancel(ResetMode::Manual);
  EscPosLimits limits;
  limits.stallMs = 300;
  EscPosSendResult result = SendEscPos(Device(fifo), Pattern(1 << 20), cancel, {}, limits);
  EXPECT_EQ(result.message, "The printer device " + fifo.string() + " stopped taking data.");

  std::thread canceller = CancelAfter(cancel, 150);
  const auto start = Clock::now();
  result = SendEscPos(Device(fifo), Pattern(1 << 20), cancel);
  canceller.join();
  EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled);
  // Well before the 10 s a stall takes to be noticed.
  EXPECT_LT(SecondsSince(start), 5.0);
  close(reader);
}

TEST(EscPosDevice, DeviceWhoseReaderGoesAwayFailsInsteadOfEndingTheProgram) {
  test::TempDir dir;
  const auto fifo = dir / "lp0";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  Event cancel(ResetMode::Manual);
  // The reader leaves once the pipe is full, however long the send takes to
  // start: the next write finds no reader.
  std::thread leave([reader] {
    const int capacity = fcntl(reader, F_GETPIPE_SZ);
    int queued = 0;
    for (int i = 0; i < 10000 && ioctl(reader, FIONREAD, &queued) == 0 && queued < capacity; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    close(reader);
  });
  const EscPosSendResult result = SendEscPos(Device(fifo), Pattern(1 << 20), cancel);
  leave.join();
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message, "Writing to the printer device " + fifo.string() + " failed: Broken pipe.");
}

TEST(EscPosSerial, LineCarriesEveryByteAtTheBaudRateWithProgressFollowingTheLine) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  // 4600 bytes at 115200 baud (11520 bytes/s) take 0.4 s on the line.
  const Bytes stream = Pattern(4600);
  LineReader printer(line.Master(), stream.size());
  Event cancel(ResetMode::Manual);
  std::vector<std::pair<double, std::size_t>> progress;
  const auto start = Clock::now();
  const EscPosSendResult result =
      SendEscPos(Serial(dir / "ttyPRN"), stream, cancel,
                 [&](std::size_t sent, std::size_t) { progress.emplace_back(SecondsSince(start), sent); });
  const double elapsed = SecondsSince(start);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Sent) << result.message;
  EXPECT_GE(elapsed, 0.35);
  EXPECT_EQ(printer.Received(), stream);
  ASSERT_GT(progress.size(), 3u);
  EXPECT_EQ(progress.back().second, stream.size());
  // Half-way through the line time, about half has left: not all at once.
  for (const auto& [when, sent] : progress) {
    if (when < 0.2) {
      EXPECT_LT(sent, stream.size() * 3 / 4);
    }
  }
}

TEST(EscPosSerial, CancelMidLineThenSendAgainOnTheSamePort) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  Event cancel(ResetMode::Manual);
  {
    // 5000 bytes at 9600 baud: more than 5 s of line time.
    LineReader printer(line.Master(), 5000);
    std::thread canceller = CancelAfter(cancel, 200);
    const auto start = Clock::now();
    const EscPosSendResult result = SendEscPos(Serial(dir / "ttyPRN", 9600), Pattern(5000), cancel);
    canceller.join();
    EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled);
    // Well before the 5.2 s the whole stream takes on the line.
    EXPECT_LT(SecondsSince(start), 3.0);
    EXPECT_LT(printer.Received(100).size(), 5000u);
  }
  cancel.Reset();
  LineReader printer(line.Master(), 300);
  EXPECT_EQ(SendEscPos(Serial(dir / "ttyPRN"), Pattern(300), cancel).status, EscPosSendResult::Status::Sent);
  EXPECT_EQ(printer.Received(), Pattern(300));
}

TEST(EscPosSerial, CancelsInsideTheDefinitionsLeaveThePrinterBetweenCommandsAndTheNextSendPrints) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.sampleText = "HEADBAGE HEADBAGE HEADBAGE HEADBAGE";
  const EscPosStream stream = *BuildEscPosStream(*test::MakeFontSet(12, 24, test::CodeRange(0x41, 0x48)), options, prompt);
  std::vector<std::string> faults;
  EscPosPrinter printer({}, [&](const std::string& fault) { faults.push_back(fault); });
  // Progress points inside the one ESC & (bytes 136..437) of the 479-byte
  // stream; at 9600 baud the sender writes at most 192 bytes ahead of the line.
  for (const std::size_t cancelAt : {140u, 180u, 220u, 260u}) {
    LineReader reader(line.Master(), stream.bytes.size());
    Event cancel(ResetMode::Manual);
    const EscPosSendResult result = SendEscPos(Serial(dir / "ttyPRN", 9600), stream, cancel,
                                               [&](std::size_t sent, std::size_t) {
                                                 if (sent >= cancelAt) cancel.Set();
                                               });
    EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled) << cancelAt;
    const Bytes received = reader.Received(500);
    // The printer got the stream up to a command's end, never into the next.
    EXPECT_LT(received.size(), stream.bytes.size()) << cancelAt;
    EXPECT_EQ(stream.CompletionAt(received.size()), Bytes{}) << cancelAt;
    printer.Feed(received);
  }
  LineReader reader(line.Master(), stream.bytes.size());
  Event cancel(ResetMode::Manual);
  EXPECT_EQ(SendEscPos(Serial(dir / "ttyPRN"), stream, cancel).status, EscPosSendResult::Status::Sent);
  printer.Feed(reader.Received());
  printer.Finish();
  EXPECT_EQ(faults, std::vector<std::string>{});
  EscPosPrinter alone({}, {});
  alone.Feed(stream.bytes);
  ASSERT_EQ(printer.Lines().size(), 1u);
  EXPECT_EQ(LineArt(printer.Lines()[0]), LineArt(alone.Lines()[0]));
}

TEST(EscPosSerial, LineThatGoesAwayMidSendFailsNamingThePort) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  Event cancel(ResetMode::Manual);
  // 5000 bytes at 9600 baud; the adapter is unplugged after a fifth of a second.
  std::thread unplug([&line] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    line.Close();
  });
  const auto start = Clock::now();
  const EscPosSendResult result = SendEscPos(Serial(dir / "ttyPRN", 9600), Pattern(5000), cancel);
  unplug.join();
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message.rfind("Writing to the serial port " + (dir / "ttyPRN").string() + " failed: ", 0), 0u)
      << result.message;
  EXPECT_LT(SecondsSince(start), 3.0);
}

TEST(EscPosSerial, PrinterHoldingTheLineWithXoffStalls) {
  test::TempDir dir;
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  LineReader printer(line.Master(), 20000, true);
  EscPosTarget target = Serial(dir / "ttyPRN");
  target.line.outputXonXoff = true;
  Event cancel(ResetMode::Manual);
  EscPosLimits limits;
  limits.stallMs = 300;
  const EscPosSendResult result = SendEscPos(target, Pattern(20000), cancel, {}, limits);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message, "The printer on " + (dir / "ttyPRN").string() + " stopped taking data.");
}

TEST(EscPosSerial, MissingBusyAndNonSerialPortsAreToldApart) {
  test::TempDir dir;
  Event cancel(ResetMode::Manual);
  EXPECT_EQ(SendEscPos(Serial(dir / "ttyUSB9"), Pattern(4), cancel).message,
            "The serial port " + (dir / "ttyUSB9").string() + " does not exist.");
  const auto file = dir / "notatty";
  test::WriteBytes(file, {});
  EXPECT_EQ(SendEscPos(Serial(file), Pattern(4), cancel).message, file.string() + " is not a serial port.");

  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir / "ttyPRN", error)) << error;
  {
    HeldLock other(dir / "ttyPRN");
    EXPECT_EQ(SendEscPos(Serial(dir / "ttyPRN"), Pattern(4), cancel).message,
              "The serial port " + (dir / "ttyPRN").string() + " is in use by another program.");
  }
  EXPECT_EQ(SendEscPos(Serial(dir / "ttyPRN", 1234), Pattern(4), cancel).message,
            "The serial line settings are not valid.");
  LineReader printer(line.Master(), 4);
  EXPECT_EQ(SendEscPos(Serial(dir / "ttyPRN"), Pattern(4), cancel).status, EscPosSendResult::Status::Sent);
  EXPECT_EQ(printer.Received(), Pattern(4));
}

}  // namespace
}  // namespace dotforge
