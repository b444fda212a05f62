#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "comm/serial_info.h"
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
using test::MakeFontSet;
using test::SimPrinter;
using test::WorkerReport;
namespace ui = printer_ui;

// Short reply limits keep the time-out cases quick; the limits themselves are
// constants checked elsewhere.
constexpr ReplyLimits kTestLimits{300, 400};

class PrinterLink {
 public:
  explicit PrinterLink(sim::SimulatorOptions options = FastPrinter(), ReplyLimits limits = kTestLimits,
                       int flowControl = kFlowNone)
      : printer(std::move(options)), comm(Settings(printer, flowControl), prompt, CurrentPlatformKind()),
        commands(comm, prompt, limits) {}

  static CommSettings Settings(const SimPrinter& printer, int flowControl) {
    CommSettings settings = test::SimSettings(printer);
    settings.flowControl = flowControl;
    return settings;
  }

  int State() const { return comm.printerCommandState; }
  int OpenCount() { return dynamic_cast<CSerialInfo*>(comm.Interface())->OpenCount(); }

  SimPrinter printer;
  ScriptedPrompt prompt;
  CCommContext comm;
  CPrinterCommands commands;
};

std::unique_ptr<CDotforgeImportDoc> SingleByteFont(const std::string& title, char id,
                                                   const std::vector<std::int32_t>& codes) {
  auto doc = MakeFontSet(12, 2, codes);
  doc->SetTitle(title);
  doc->fontId = id;
  return doc;
}

std::unique_ptr<CDotforgeImportDoc> DoubleByteFont(const std::vector<std::int32_t>& codes) {
  auto doc = MakeFontSet(16, 2, codes, kDoubleByteFont);
  doc->SetTitle("KANJI.DDB");
  return doc;
}

Bytes ExpectedStream(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  return BuildDownloadStream(doc, prompt)->bytes;
}

WorkerReport RunToEnd(const std::shared_ptr<WorkerSink>& sink) {
  EXPECT_TRUE(sink);
  if (!sink) return {};
  WorkerReport report = DrainToEnd(*sink);
  EXPECT_TRUE(report.finished);
  return report;
}

TEST(Download, SingleByteStreamArrivesByteForByte) {
  PrinterLink link;
  const auto doc = SingleByteFont("LOGO.DSB", '1', {0x20, 0x41, 0x42});
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*doc));
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(report.progress.front(), 0);
  EXPECT_EQ(report.progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(report.progress.begin(), report.progress.end()));
  EXPECT_EQ(report.fields.at(ui::kDownloadPercentText), "100 %");
  EXPECT_EQ(link.printer->Received(), ExpectedStream(*doc));
  ASSERT_TRUE(link.printer->Slots()[1]);
  EXPECT_EQ(link.printer->Slots()[1]->name, "LOGO    ");
  EXPECT_EQ(link.State(), 0);
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(Download, DoubleByteBlocksEachAnswered) {
  PrinterLink link;
  const auto doc = DoubleByteFont({0x8140, 0x8141, 0x8142, 0x8150});
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*doc));
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(report.progress, (std::vector<int>{0, 75, 100}));
  const Bytes received = link.printer->Received();
  EXPECT_EQ(received, ExpectedStream(*doc));
  EXPECT_EQ(Bytes(received.begin() + 13, received.begin() + 17), Bytes({0x40, 0x81, 3, 0}));
  ASSERT_TRUE(link.printer->Slots()[4]);
  EXPECT_EQ(link.printer->Slots()[4]->characters, 4u);
}

TEST(Download, RefusedAfterTheWholeStreamEnablesOk) {
  PrinterLink link(FastPrinter(Misbehaviour::Nak));
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*SingleByteFont("A.DSB", '0', {0x41})));
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorFontRefused});
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(link.State(), 0);
}

TEST(Download, RefusedAfterADoubleByteBlockStopsThereWithOkDisabled) {
  PrinterLink link(FastPrinter(Misbehaviour::Nak));
  const auto doc = DoubleByteFont({0x8140, 0x8150});
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*doc));
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorFontRefused});
  EXPECT_FALSE(report.okEnabled);
  // Nothing after the refused block was sent.
  EXPECT_EQ(link.printer->Received().size(), 17u + 4u);
}

TEST(Download, NoReplyAndStrayBytes) {
  PrinterLink silent(FastPrinter(Misbehaviour::Silent));
  const WorkerReport report = RunToEnd(silent.commands.DownloadEntireFont(*SingleByteFont("A.DSB", '0', {0x41})));
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorResponseNotReceived});
  EXPECT_TRUE(report.okEnabled);

  PrinterLink garbage(FastPrinter(Misbehaviour::Garbage));
  const WorkerReport skipped = RunToEnd(garbage.commands.DownloadEntireFont(*DoubleByteFont({0x8140})));
  EXPECT_TRUE(skipped.messages.empty());
  EXPECT_TRUE(skipped.okEnabled);
}

// Limits long enough that only the abort can end the wait.
constexpr ReplyLimits kLongLimits{20000, 20000};

// Raises the abort signal once the printer has received `count` bytes.
void AbortAfter(PrinterLink& link, std::size_t count) {
  ASSERT_TRUE(link.printer.WaitForReceived(count));
  link.comm.AbortSignal().Set();
}

TEST(Download, AbortEndsTheWaitWithOkDisabled) {
  PrinterLink link(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto sink = link.commands.DownloadEntireFont(*SingleByteFont("A.DSB", '0', {0x41}));
  AbortAfter(link, 13 + 224 * 4);
  const WorkerReport report = RunToEnd(sink);
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorReadAborted});
  EXPECT_FALSE(report.okEnabled);
  EXPECT_EQ(link.State(), 0);
}

TEST(Download, ALineLostMidTransferFailsAndTheNextCommandReopensIt) {
  sim::SimulatorOptions options = FastPrinter(Misbehaviour::DropLine);
  options.dropAfterBytes = 600;
  PrinterLink link(options);
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*DoubleByteFont(test::CodeRange(0x8140, 0x8240))));
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kPrinterGone});
  EXPECT_EQ(link.printer->DropCount(), 1);

  const WorkerReport next = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(next.messages.empty()) << ::testing::PrintToString(next.messages);
  EXPECT_EQ(next.notifications, std::vector<int>{ui::kFontInfoComplete});
  EXPECT_EQ(link.OpenCount(), 2);
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(PrintOneCharacter, SelectedCharacterIsPrinted) {
  PrinterLink link;
  auto doc = SingleByteFont("A.DSB", '0', {0x41, 0x42});
  doc->selected = doc->characters[1].get();
  const WorkerReport report = RunToEnd(link.commands.DownloadAndPrintOneCharacter(*doc));
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(report.progress, (std::vector<int>{0, 100}));
  Bytes expected{0x1C, 'G', 12, 2};
  const Bytes cell = test::PatternCell(0x42, 12, 2);
  expected.insert(expected.end(), cell.begin(), cell.end());
  EXPECT_EQ(link.printer->Received(), expected);
  EXPECT_EQ(link.printer->PrintedCount(), 1);
  const std::vector<std::string> output = link.printer.Output();
  ASSERT_EQ(output.size(), 3u);
  EXPECT_EQ(output[0], "print 12x2:");
  EXPECT_EQ(output[1].size(), 12u);
}

TEST(PrintOneCharacter, NothingSelectedSendsNothing) {
  PrinterLink link;
  auto doc = SingleByteFont("A.DSB", '0', {0x41});
  doc->selected = nullptr;
  EXPECT_FALSE(link.commands.DownloadAndPrintOneCharacter(*doc));
  EXPECT_EQ(link.prompt.Texts(), std::vector<std::string>{msg::kSelectCharacterFirst});
  EXPECT_EQ(link.State(), 0);
  EXPECT_EQ(link.comm.Interface(), nullptr);  // the port was not even opened
}

TEST(PrintOneCharacter, ReplyRules) {
  auto doc = SingleByteFont("A.DSB", '0', {0x41});
  doc->SelectFirst();
  struct Case {
    Misbehaviour misbehaviour;
    std::vector<std::string> messages;
  };
  for (const Case& c : {Case{Misbehaviour::XonFirst, {}}, Case{Misbehaviour::Nak, {msg::kErrorDownloadFailure}},
                        Case{Misbehaviour::Garbage, {msg::kErrorInvalidResponse}},
                        Case{Misbehaviour::Silent, {msg::kErrorResponseNotReceived}}}) {
    PrinterLink link(FastPrinter(c.misbehaviour));
    const WorkerReport report = RunToEnd(link.commands.DownloadAndPrintOneCharacter(*doc));
    EXPECT_EQ(report.messages, c.messages) << static_cast<int>(c.misbehaviour);
    EXPECT_TRUE(report.okEnabled);
  }
}

TEST(FontInfo, EmptySlotStaysEmptyAndTheOthersAreFilled) {
  PrinterLink link;
  for (const char id : {'1', '2', '3'}) {
    RunToEnd(link.commands.DownloadEntireFont(*SingleByteFont(std::string("FONT000") + id + ".DSB", id, {0x41})));
  }
  RunToEnd(link.commands.DownloadEntireFont(*DoubleByteFont({0x8140, 0x8141})));
  const WorkerReport report = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.notifications, std::vector<int>{ui::kFontInfoComplete});
  for (int slot = 0; slot < ui::kFontSlots; ++slot) {
    EXPECT_EQ(report.fields.at(ui::kFontIdFields[slot]), std::to_string(48 + slot));
  }
  EXPECT_FALSE(report.fields.count(ui::kFontNameFields[0]));
  EXPECT_EQ(report.fields.at(ui::kFontNameFields[2]), "FONT0002");
  EXPECT_EQ(report.fields.at(ui::kFontWidthFields[1]), "12");
  EXPECT_EQ(report.fields.at(ui::kFontCountFields[1]), "224");
  EXPECT_EQ(report.fields.at(ui::kFontNameFields[4]), "KANJI   ");
  EXPECT_EQ(report.fields.at(ui::kFontCountFields[4]), "2");
  char checksum[8];
  std::snprintf(checksum, sizeof checksum, "%04X", link.printer->Slots()[4]->checksum);
  EXPECT_EQ(report.fields.at(ui::kFontChecksumFields[4]), checksum);
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(link.State(), 0);
}

TEST(FontInfo, FlowControlBytesFirstOrInside) {
  PrinterLink inside(FastPrinter(Misbehaviour::XonXoff), kTestLimits, kFlowXonXoff);
  RunToEnd(inside.commands.DownloadEntireFont(*SingleByteFont("F.DSB", '0', {0x41})));
  const WorkerReport filled = RunToEnd(inside.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(filled.messages.empty());
  EXPECT_EQ(filled.fields.at(ui::kFontNameFields[0]), "F       ");

  PrinterLink first(FastPrinter(Misbehaviour::XonFirst));
  const WorkerReport refused = RunToEnd(first.commands.ReadPrinterFontInfos());
  EXPECT_EQ(refused.messages, std::vector<std::string>{msg::kErrorInvalidFormatResponse});
  EXPECT_TRUE(refused.notifications.empty());
  EXPECT_EQ(first.State(), 0);
}

TEST(FontInfo, NoReplyAndAbort) {
  PrinterLink silent(FastPrinter(Misbehaviour::Silent));
  EXPECT_EQ(RunToEnd(silent.commands.ReadPrinterFontInfos()).messages, std::vector<std::string>{msg::kResponseNotReceived});

  PrinterLink aborted(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto sink = aborted.commands.ReadPrinterFontInfos();
  AbortAfter(aborted, 3);
  EXPECT_EQ(RunToEnd(sink).messages, std::vector<std::string>{msg::kReadAborted});
  EXPECT_EQ(aborted.State(), 0);
}

TEST(Memory, Abort) {
  PrinterLink link(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto sink = link.commands.CheckAvailableMemory();
  AbortAfter(link, 3);
  const WorkerReport report = RunToEnd(sink);
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kReadAborted});
  EXPECT_FALSE(report.fields.count(ui::kMemoryField));
  EXPECT_EQ(link.State(), 0);
}

TEST(Memory, FreeMemoryShrinksWithADownload) {
  PrinterLink link;
  const WorkerReport before = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_EQ(before.fields.at(ui::kMemoryField), "1048576");
  EXPECT_EQ(before.notifications, std::vector<int>{ui::kMemoryTextReady});
  RunToEnd(link.commands.DownloadEntireFont(*SingleByteFont("F.DSB", '0', {0x41})));
  const WorkerReport after = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_EQ(after.fields.at(ui::kMemoryField), std::to_string(1048576 - 224 * 4));
  EXPECT_EQ(link.State(), 0);
}

TEST(Memory, FailuresAndAClosedDialog) {
  PrinterLink silent(FastPrinter(Misbehaviour::Silent));
  const WorkerReport report = RunToEnd(silent.commands.CheckAvailableMemory());
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kResponseNotReceived});
  EXPECT_FALSE(report.fields.count(ui::kMemoryField));

  PrinterLink slow([] {
    sim::SimulatorOptions options = FastPrinter(Misbehaviour::Slow);
    options.slowMs = 100;
    return options;
  }());
  const auto sink = slow.commands.CheckAvailableMemory();
  ASSERT_TRUE(sink);
  sink->Detach();  // the dialog closes before the digits arrive
  for (int i = 0; i < 5000 && !sink->Finished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(sink->Finished());
  const WorkerSink::Update update = sink->Drain();
  EXPECT_TRUE(update.fields.empty());
  EXPECT_TRUE(update.notifications.empty());
  EXPECT_EQ(slow.State(), 0);
}

TEST(Erase, CarriageReturnCompletesTheErase) {
  PrinterLink link;
  RunToEnd(link.commands.DownloadEntireFont(*SingleByteFont("F.DSB", '0', {0x41})));
  const auto sink = link.commands.ErasePrinterFonts();
  ASSERT_TRUE(sink);
  const WorkerReport report = RunToEnd(sink);
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.fields.at(ui::kEraseStatusText), msg::kEraseIsComplete);
  EXPECT_TRUE(report.okEnabled);
  EXPECT_FALSE(link.printer->Slots()[0]);
  const Bytes received = link.printer->Received();
  EXPECT_EQ(Bytes(received.end() - 3, received.end()), Bytes({0x1D, 0x40, 0x33}));
}

TEST(Erase, ReplyRules) {
  PrinterLink silent(FastPrinter(Misbehaviour::Silent));
  const WorkerReport timedOut = RunToEnd(silent.commands.ErasePrinterFonts());
  EXPECT_EQ(timedOut.messages, std::vector<std::string>{msg::kErrorResponseNotReceived});
  // No answer is no confirmation: the status does not claim success.
  EXPECT_EQ(timedOut.fields.at(ui::kEraseStatusText), msg::kEraseNotConfirmed);
  EXPECT_TRUE(timedOut.okEnabled);

  PrinterLink garbage(FastPrinter(Misbehaviour::Garbage));
  const WorkerReport invalid = RunToEnd(garbage.commands.ErasePrinterFonts());
  EXPECT_EQ(invalid.messages, std::vector<std::string>{msg::kErrorInvalidResponse});
  EXPECT_EQ(invalid.fields.at(ui::kEraseStatusText), msg::kPleaseWait);
  EXPECT_FALSE(invalid.okEnabled);

  PrinterLink flow(FastPrinter(Misbehaviour::XonFirst));
  EXPECT_TRUE(RunToEnd(flow.commands.ErasePrinterFonts()).messages.empty());
}

TEST(Erase, AbortWhileWaitingForTheAnswerKeepsOkDisabled) {
  PrinterLink link(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto sink = link.commands.ErasePrinterFonts();
  ASSERT_TRUE(sink);
  // Once the command is written the state is idle again, while the worker waits on.
  for (int i = 0; i < 5000 && link.State() != 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(link.State(), 0);
  EXPECT_FALSE(sink->Finished());
  link.comm.AbortSignal().Set();
  const WorkerReport report = RunToEnd(sink);
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorReadAborted});
  EXPECT_EQ(report.fields.at(ui::kEraseStatusText), msg::kPleaseWait);
  EXPECT_FALSE(report.okEnabled);
}

TEST(Erase, GivenAgainWhileTheCommandIsStillQueuedAbortsItWithoutANewOne) {
  sim::SimulatorOptions options = FastPrinter();
  options.paced = true;
  options.baudRate = 9600;
  PrinterLink link(options, kTestLimits);
  // A long transfer ahead keeps the erase command waiting in the queue.
  const Bytes filler(400 * 1024, 0x00);
  link.comm.OpenInterface();
  link.comm.Send(filler);
  ASSERT_TRUE(link.commands.ErasePrinterFonts());
  EXPECT_EQ(link.State(), static_cast<int>(PrinterCommand::EraseFonts));

  const auto again = link.commands.ErasePrinterFonts();
  ASSERT_TRUE(again);
  EXPECT_EQ(link.State(), 0);
  EXPECT_TRUE(link.prompt.Texts().empty());
  const WorkerReport report = RunToEnd(again);
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kErrorResponseNotReceived});
  // The writer dropped the queued command: the printer never sees it.
  for (int i = 0; i < 5000 && !link.comm.WriteQueue().QueuedKinds().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const Bytes received = link.printer->Received();
  EXPECT_EQ(std::search(received.begin(), received.end(), EraseCommand().begin(), EraseCommand().end()),
            received.end());
}

TEST(StartRule, ARepeatedCommandReplacesItsWorkerAndOthersAreIgnored) {
  PrinterLink link(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto first = link.commands.ReadPrinterFontInfos();
  ASSERT_TRUE(first);
  ASSERT_TRUE(link.printer.WaitForReceived(3));
  first->Detach();  // its dialog closed, the worker still waits
  EXPECT_EQ(link.State(), static_cast<int>(PrinterCommand::ReadFontInfo));
  EXPECT_FALSE(link.commands.CheckAvailableMemory());
  EXPECT_FALSE(link.commands.ErasePrinterFonts());

  const auto second = link.commands.ReadPrinterFontInfos();
  ASSERT_TRUE(second);
  EXPECT_TRUE(first->Finished());
  EXPECT_EQ(link.State(), static_cast<int>(PrinterCommand::ReadFontInfo));
  // The old worker took the abort; the new one is not aborted by it.
  ASSERT_TRUE(link.printer.WaitForReceived(6));
  EXPECT_FALSE(second->Finished());
  EXPECT_TRUE(second->Drain().messages.empty());
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(StartRule, TwoCommandsOpenThePortOnceAndAParityChangeReopensIt) {
  PrinterLink link;
  RunToEnd(link.commands.CheckAvailableMemory());
  RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_EQ(link.OpenCount(), 1);
  link.comm.settings.parity = kParityOdd;
  EXPECT_TRUE(RunToEnd(link.commands.CheckAvailableMemory()).messages.empty());
  EXPECT_EQ(link.OpenCount(), 2);
  EXPECT_TRUE(link.printer->LineSettings().c_cflag & PARODD);
}

TEST(Shutdown, StopsRunningWorkersAndTheTransferAndClosesThePort) {
  PrinterLink link(FastPrinter(Misbehaviour::Silent), kLongLimits);
  const auto download = link.commands.DownloadEntireFont(*DoubleByteFont(test::CodeRange(0x8140, 0x8340)));
  ASSERT_TRUE(download);
  link.printer.WaitForReceived(100);
  link.commands.Shutdown();
  EXPECT_TRUE(download->Finished());
  EXPECT_FALSE(link.comm.Interface()->running);
  EXPECT_FALSE(link.comm.ReaderRunning());
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(Shutdown, DuringAnEraseTransfer) {
  sim::SimulatorOptions options = FastPrinter(Misbehaviour::Silent);
  options.paced = true;
  options.baudRate = 1200;
  PrinterLink link(options, kLongLimits);
  link.comm.OpenInterface();
  link.comm.Send(Bytes(400 * 1024, 0));
  const auto erase = link.commands.ErasePrinterFonts();
  ASSERT_TRUE(erase);
  link.commands.Shutdown();
  EXPECT_TRUE(erase->Finished());
  EXPECT_FALSE(link.comm.Interface()->running);
  EXPECT_EQ(link.State(), 0);
}

TEST(Limits, TheProtocolsWaitingLimits) {
  EXPECT_EQ(kReplyLimitMs, 2000);
  EXPECT_EQ(kEraseReplyLimitMs, 10000);
  EXPECT_EQ(ReplyLimits{}.replyMs, 2000);
  EXPECT_EQ(ReplyLimits{}.eraseReplyMs, 10000);
}

}  // namespace
}  // namespace dotforge
