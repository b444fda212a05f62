// The printer link under real line conditions: a simulated printer that reads
// at the baud rate, stops reading, answers late, or sees the line reopened in
// the middle of a command. Each scenario chains the commands a user gives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "comm/setup_communication.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "printer/printer_commands.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "support/sim_link.h"

namespace dotforge {
namespace {

using sim::Misbehaviour;
using test::DrainToEnd;
using test::FastPrinter;
using test::SimPrinter;
using test::WorkerReport;
using Clock = std::chrono::steady_clock;
namespace ui = printer_ui;

constexpr ReplyLimits kShortLimits{300, 400};

class Link {
 public:
  Link(sim::SimulatorOptions options, ReplyLimits limits, const std::function<void(CommSettings&)>& adjust = {})
      : printer(std::move(options)), comm(Settings(printer, adjust), prompt, CurrentPlatformKind()),
        commands(comm, prompt, limits) {}

  int State() const { return comm.printerCommandState; }

  SimPrinter printer;
  ScriptedPrompt prompt;
  CCommContext comm;
  CPrinterCommands commands;

 private:
  static CommSettings Settings(const SimPrinter& printer, const std::function<void(CommSettings&)>& adjust) {
    CommSettings settings = test::SimSettings(printer);
    if (adjust) adjust(settings);
    return settings;
  }
};

sim::SimulatorOptions PacedPrinter(Misbehaviour misbehaviour = Misbehaviour::None) {
  sim::SimulatorOptions options = FastPrinter(misbehaviour);
  options.paced = true;
  return options;
}

std::unique_ptr<CDotforgeImportDoc> FullFont(std::int32_t width, std::int32_t height, const std::string& title) {
  auto doc = test::MakeFontSet(width, height, test::CodeRange(0x20, 0xFF));
  doc->SetTitle(title);
  return doc;
}

Bytes StreamOf(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  return BuildDownloadStream(doc, prompt)->bytes;
}

WorkerReport RunToEnd(const std::shared_ptr<WorkerSink>& sink) {
  EXPECT_TRUE(sink);
  if (!sink) return {};
  WorkerReport report = DrainToEnd(*sink, std::chrono::seconds(30));
  EXPECT_TRUE(report.finished);
  return report;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Streams that need more line time than the reply limit: the limit starts
// once the last byte has left the line, and the percent shown follows the
// bytes the printer has actually taken.
TEST(PacedLine, DownloadsLongerThanTheReplyLimitSucceed) {
  {
    Link link(PacedPrinter(), ReplyLimits{});
    const auto doc = FullFont(32, 32, "BIG.DSB");
    const Bytes expected = StreamOf(*doc);
    ASSERT_EQ(expected.size(), 28685u);  // about 2.5 s at 115200 baud
    const auto start = Clock::now();
    const auto sink = link.commands.DownloadEntireFont(*doc);
    ASSERT_TRUE(sink);
    WorkerReport report;
    std::size_t ahead = 0;
    while (!report.finished) {
      ASSERT_TRUE(sink->WaitForUpdate(std::chrono::seconds(10)));
      WorkerSink::Update update = sink->Drain();
      // No percent may claim more than the line can have carried by now.
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      const double carried = seconds * 11520 * 100 / static_cast<double>(expected.size());
      for (const int percent : update.progress) {
        if (percent > carried + 2) ++ahead;
      }
      report.progress.insert(report.progress.end(), update.progress.begin(), update.progress.end());
      report.messages.insert(report.messages.end(), update.messages.begin(), update.messages.end());
      report.okEnabled = update.okEnabled;
      report.finished = update.finished;
    }
    EXPECT_TRUE(report.messages.empty()) << ::testing::PrintToString(report.messages);
    EXPECT_TRUE(report.okEnabled);
    EXPECT_EQ(report.progress.back(), 100);
    EXPECT_EQ(ahead, 0u);
    EXPECT_EQ(link.printer->Received(), expected);
    ASSERT_TRUE(link.printer->Slots()[0]);
    EXPECT_EQ(link.printer->Slots()[0]->height, 32);
    EXPECT_EQ(link.State(), 0);
  }
  {
    Link link(PacedPrinter(), ReplyLimits{}, [](CommSettings& settings) { settings.baudRate = 4; });  // 9600
    const auto doc = FullFont(8, 16, "SMALL.DSB");
    const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*doc));
    EXPECT_TRUE(report.messages.empty()) << ::testing::PrintToString(report.messages);
    EXPECT_TRUE(report.okEnabled);
    EXPECT_EQ(link.printer->Received(), StreamOf(*doc));
  }
}

// A printer that stops reading: the download fails with a message in bounded
// time, nothing of it stays queued, and once the printer is back the next
// commands work and find nothing of the failed one on the line.
TEST(StalledLine, ADownloadFailsInBoundedTimeAndTheNextCommandsWork) {
  sim::SimulatorOptions options = FastPrinter(Misbehaviour::Stall);
  options.stallAfterBytes = 4096;
  Link link(options, kShortLimits);
  const auto start = Clock::now();
  const WorkerReport failed = RunToEnd(link.commands.DownloadEntireFont(*FullFont(32, 32, "BIG.DSB")));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(failed.messages, std::vector<std::string>{msg::kErrorLineStalled});
  EXPECT_TRUE(failed.okEnabled);
  EXPECT_EQ(link.State(), 0);
  EXPECT_TRUE(link.comm.WriteQueue().QueuedKinds().empty());
  EXPECT_TRUE(link.printer->Stalled());

  link.printer->Recover();
  const WorkerReport fonts = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(fonts.messages.empty()) << ::testing::PrintToString(fonts.messages);
  EXPECT_EQ(fonts.notifications, std::vector<int>{ui::kFontInfoComplete});
  const auto small = test::MakeFontSet(8, 2, {0x41});
  small->SetTitle("AGAIN.DSB");
  const WorkerReport again = RunToEnd(link.commands.DownloadEntireFont(*small));
  EXPECT_TRUE(again.messages.empty()) << ::testing::PrintToString(again.messages);
  ASSERT_TRUE(link.printer->Slots()[0]);
  EXPECT_EQ(link.printer->Slots()[0]->name, "AGAIN   ");
  EXPECT_TRUE(link.prompt.Texts().empty());
}

// An answer that comes after the command gave up stays out of the next one.
TEST(LateAnswer, DoesNotBreakTheNextCommand) {
  sim::SimulatorOptions options = FastPrinter(Misbehaviour::Slow);
  options.slowMs = 500;
  Link link(options, kShortLimits);
  const auto small = test::MakeFontSet(8, 2, {0x41});
  small->SetTitle("LATE.DSB");
  const WorkerReport late = RunToEnd(link.commands.DownloadEntireFont(*small));
  EXPECT_EQ(late.messages, std::vector<std::string>{msg::kErrorResponseNotReceived});
  // The printer stored the font and its ACK arrives after all.
  ASSERT_TRUE(WaitUntil([&] { return link.comm.GetCount() > 0; }, std::chrono::seconds(3)));
  link.printer->SetMisbehaviour(Misbehaviour::None);

  const WorkerReport fonts = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(fonts.messages.empty()) << ::testing::PrintToString(fonts.messages);
  EXPECT_EQ(fonts.fields.at(ui::kFontNameFields[0]), "LATE    ");
  EXPECT_EQ(fonts.fields.at(ui::kFontWidthFields[0]), "8");
}

// Setup Communication OK reopens the line while the erase command still waits
// to be written: the erase ends with a message and the state is usable.
TEST(Reopen, SetupOkDuringAnEraseLeavesTheStateUsable) {
  // Limits long enough that only the reopen can end the transfer.
  Link link(FastPrinter(), ReplyLimits{3000, 3000});
  ASSERT_TRUE(link.comm.OpenInterface());
  link.printer->Stall();
  // The stuck printer's line fills up; the erase command queues behind.
  link.comm.Send(Bytes(64 * 1024, 0));
  const auto erase = link.commands.ErasePrinterFonts();
  ASSERT_TRUE(erase);
  EXPECT_EQ(link.State(), static_cast<int>(PrinterCommand::EraseFonts));

  CommSettings applied = link.comm.settings;
  SetupCommunicationDialog setup(link.comm.settings, false);
  setup.SelectParity(kParityEven);
  ASSERT_TRUE(setup.Ok(applied, link.comm));
  ASSERT_TRUE(WaitUntil([&] { return link.State() == 0; }, std::chrono::seconds(5)));
  const WorkerReport report = RunToEnd(erase);
  // The command was dropped by the reopen, or, on a busy machine, had reached
  // the device just before it: a failure either way, never a success.
  ASSERT_EQ(report.messages.size(), 1u);
  EXPECT_THAT(report.messages[0], ::testing::AnyOf(msg::kErrorSendFailed, msg::kErrorResponseNotReceived));
  EXPECT_EQ(report.fields.at(ui::kEraseStatusText), msg::kEraseNotConfirmed);
  EXPECT_TRUE(report.okEnabled);

  link.printer->Recover();
  const WorkerReport memory = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_TRUE(memory.messages.empty()) << ::testing::PrintToString(memory.messages);
  EXPECT_FALSE(memory.fields.at(ui::kMemoryField).empty());
  EXPECT_TRUE(link.prompt.Texts().empty());
}

// A 9 x 17 font whose checksum is 0x1311: bytes 0x11 and 0x13 inside the
// record are data on a line without Xon/Xoff flow control.
TEST(FontRecord, FlowControlValuesInsideTheRecordAreData) {
  Link link(FastPrinter(), kShortLimits);
  auto doc = test::MakeFontSet(9, 17, {0x41});
  doc->SetTitle("RECEIPT.DSB");
  Bytes& cell = doc->characters[0]->bitmap;
  ASSERT_EQ(cell.size(), 34u);
  std::fill(cell.begin(), cell.end(), 0);
  // 12 rows of 0xFF 0x80, then 0xFF, then 0x1E: 12 * 383 + 255 + 30 = 0x1311.
  for (int row = 0; row < 12; ++row) {
    cell[row * 2] = 0xFF;
    cell[row * 2 + 1] = 0x80;
  }
  cell[24] = 0xFF;
  cell[26] = 0x1E;
  ASSERT_TRUE(RunToEnd(link.commands.DownloadEntireFont(*doc)).messages.empty());
  ASSERT_TRUE(link.printer->Slots()[0]);
  ASSERT_EQ(link.printer->Slots()[0]->checksum, 0x1311);

  const WorkerReport report = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(report.messages.empty()) << ::testing::PrintToString(report.messages);
  EXPECT_EQ(report.fields.at(ui::kFontNameFields[0]), "RECEIPT ");
  EXPECT_EQ(report.fields.at(ui::kFontWidthFields[0]), "9");
  EXPECT_EQ(report.fields.at(ui::kFontHeightFields[0]), "17");
  EXPECT_EQ(report.fields.at(ui::kFontCountFields[0]), "224");
  EXPECT_EQ(report.fields.at(ui::kFontChecksumFields[0]), "1311");
}

// Exit in the middle of a download into a stuck printer ends at once.
TEST(StalledLine, ShutdownEndsPromptly) {
  sim::SimulatorOptions options = FastPrinter(Misbehaviour::Stall);
  options.stallAfterBytes = 1024;
  Link link(options, ReplyLimits{});
  const auto sink = link.commands.DownloadEntireFont(*FullFont(32, 32, "BIG.DSB"));
  ASSERT_TRUE(sink);
  ASSERT_TRUE(WaitUntil([&] { return link.printer->Stalled(); }, std::chrono::seconds(5)));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const auto start = Clock::now();
  link.commands.Shutdown();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
  EXPECT_TRUE(sink->Finished());
  EXPECT_FALSE(link.comm.ReaderRunning());
}

TEST(Download, ACellTooLargeIsRefusedWithADownloadMessage) {
  Link link(FastPrinter(), kShortLimits);
  auto doc = test::MakeFontSet(8, 2, {0x41});
  doc->width = 128;
  EXPECT_FALSE(link.commands.DownloadEntireFont(*doc));
  EXPECT_EQ(link.prompt.Texts(), std::vector<std::string>{msg::kCellTooLargeToDownload});
  EXPECT_EQ(link.State(), 0);
}

}  // namespace
}  // namespace dotforge
