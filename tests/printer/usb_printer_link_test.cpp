// Every printer command over USB, end to end: the commands and their workers,
// the communication context, the USB transport and request layer, and the
// simulated printer on the fake bus.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "comm/comm_messages.h"
#include "comm/usb_info.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "printer/printer_commands.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "support/sim_link.h"
#include "support/usb_bus.h"

namespace dotforge {
namespace {

using test::DrainToEnd;
using test::WorkerReport;
namespace ui = printer_ui;

constexpr ReplyLimits kTestLimits{300, 400};

class UsbPrinterLink {
 public:
  UsbPrinterLink() : comm(test::UsbSettings(), prompt, CurrentPlatformKind()), commands(comm, prompt, kTestLimits) {
    CUsbInfo::SetFirstReuse(true);
  }
  ~UsbPrinterLink() { commands.Shutdown(); }

  int OpenCount() { return dynamic_cast<CUsbInfo*>(comm.Interface())->OpenCount(); }

  test::UsbBus bus;
  ScriptedPrompt prompt;
  CCommContext comm;
  CPrinterCommands commands;
};

WorkerReport RunToEnd(const std::shared_ptr<WorkerSink>& sink) {
  EXPECT_TRUE(sink);
  if (!sink) return {};
  WorkerReport report = DrainToEnd(*sink);
  EXPECT_TRUE(report.finished);
  return report;
}

std::unique_ptr<CDotforgeImportDoc> SingleByteFont(const std::string& title, char id) {
  auto doc = test::MakeFontSet(12, 24, {0x41, 0x42, 0x43});
  doc->SetTitle(title);
  doc->fontId = id;
  return doc;
}

std::unique_ptr<CDotforgeImportDoc> DoubleByteFont(std::int32_t first, std::int32_t last) {
  auto doc = test::MakeFontSet(24, 24, test::CodeRange(first, last), kDoubleByteFont);
  doc->SetTitle("KANJI.DDB");
  return doc;
}

Bytes ExpectedStream(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  return BuildDownloadStream(doc, prompt)->bytes;
}

TEST(UsbPrinterLink, DownloadFontsMemoryAndEraseEndToEnd) {
  UsbPrinterLink link;
  const WorkerReport before = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_TRUE(before.messages.empty());
  EXPECT_EQ(before.fields.at(ui::kMemoryField), "1048576");

  const auto single = SingleByteFont("LOGO.DSB", '1');
  WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*single));
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(report.progress.back(), 100);

  // More than one USB write and several FS D blocks.
  const auto kanji = DoubleByteFont(0x8140, 0x8440);
  link.bus.printer->ClearReceived();
  report = RunToEnd(link.commands.DownloadEntireFont(*kanji));
  EXPECT_TRUE(report.messages.empty()) << ::testing::PrintToString(report.messages);
  EXPECT_TRUE(report.okEnabled);
  EXPECT_EQ(link.bus.printer->ReceivedBytes(), ExpectedStream(*kanji));

  report = RunToEnd(link.commands.ReadPrinterFontInfos());
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.notifications, std::vector<int>{ui::kFontInfoComplete});
  EXPECT_EQ(report.fields.at(ui::kFontNameFields[1]), "LOGO    ");
  EXPECT_EQ(report.fields.at(ui::kFontNameFields[4]), "KANJI   ");
  EXPECT_EQ(report.fields.at(ui::kFontCountFields[4]), std::to_string(0x8440 - 0x8140 + 1));

  const WorkerReport after = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_LT(std::stol(after.fields.at(ui::kMemoryField)), 1048576);

  report = RunToEnd(link.commands.ErasePrinterFonts());
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.fields.at(ui::kEraseStatusText), msg::kEraseIsComplete);
  // The printer may answer before the erase transfer has seen its write
  // complete and made the state idle again; the dialog's OK comes after that.
  for (int i = 0; i < 5000 && link.comm.printerCommandState != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (const auto& slot : link.bus.printer->Slots()) EXPECT_FALSE(slot);
  EXPECT_EQ(RunToEnd(link.commands.CheckAvailableMemory()).fields.at(ui::kMemoryField), "1048576");

  auto printed = SingleByteFont("A.DSB", '0');
  printed->SelectFirst();
  report = RunToEnd(link.commands.DownloadAndPrintOneCharacter(*printed));
  EXPECT_TRUE(report.messages.empty());
  EXPECT_FALSE(link.bus.printer->Log().empty());

  // One reopen: the first reuse of the connection.
  EXPECT_EQ(link.OpenCount(), 2);
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(UsbPrinterLink, UnplugAndReplugBetweenTwoCommands) {
  UsbPrinterLink link;
  EXPECT_TRUE(RunToEnd(link.commands.CheckAvailableMemory()).messages.empty());
  EXPECT_TRUE(RunToEnd(link.commands.CheckAvailableMemory()).messages.empty());
  ASSERT_EQ(link.OpenCount(), 2);

  link.bus.backend.Unplug(link.bus.device);
  // The reader sees the device gone and ends.
  for (int i = 0; i < 5000 && link.comm.ReaderRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(link.comm.ReaderRunning());
  link.bus.backend.Replug(link.bus.device);

  const auto doc = SingleByteFont("AFTER.DSB", '2');
  const WorkerReport report = RunToEnd(link.commands.DownloadEntireFont(*doc));
  EXPECT_TRUE(report.messages.empty()) << ::testing::PrintToString(report.messages);
  EXPECT_EQ(link.OpenCount(), 3);
  ASSERT_TRUE(link.bus.printer->Slots()[2]);
  EXPECT_EQ(link.bus.printer->Slots()[2]->name, "AFTER   ");
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(UsbPrinterLink, UnpluggedDuringADownloadThenGone) {
  UsbPrinterLink link;
  link.bus.backend.SetReading(link.bus.device, false);
  const auto doc = DoubleByteFont(0x8140, 0x8440);
  const auto sink = link.commands.DownloadEntireFont(*doc);
  ASSERT_TRUE(sink);
  for (int i = 0; i < 5000 && !link.comm.ReaderRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  link.bus.backend.Unplug(link.bus.device);
  // Whether pieces were still queued or the reply is what is missing, the
  // printer is gone.
  const WorkerReport report = RunToEnd(sink);
  EXPECT_EQ(report.messages, std::vector<std::string>{msg::kPrinterGone});

  // Not plugged in again: the next command cannot start.
  EXPECT_FALSE(link.commands.CheckAvailableMemory());
  EXPECT_EQ(link.prompt.Texts(), std::vector<std::string>{msg::kUsbDeviceNotFound});
  EXPECT_EQ(link.comm.printerCommandState, 0);

  // Back again, it works.
  link.prompt.Clear();
  link.bus.backend.Replug(link.bus.device);
  link.bus.backend.SetReading(link.bus.device, true);
  EXPECT_TRUE(RunToEnd(link.commands.CheckAvailableMemory()).messages.empty());
  EXPECT_TRUE(link.prompt.Texts().empty());
}

TEST(UsbPrinterLink, APrinterThatStopsReadingTimesOutAndRecovers) {
  UsbPrinterLink link;
  EXPECT_TRUE(RunToEnd(link.commands.CheckAvailableMemory()).messages.empty());
  link.bus.backend.SetReading(link.bus.device, false);
  // The query never leaves the host: the command says so instead of waiting for a reply.
  EXPECT_EQ(RunToEnd(link.commands.CheckAvailableMemory()).messages,
            std::vector<std::string>{msg::kErrorLineStalled});
  // Reading again, the printer takes the write that waited and the next query.
  link.bus.backend.SetReading(link.bus.device, true);
  const WorkerReport report = RunToEnd(link.commands.CheckAvailableMemory());
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.fields.at(ui::kMemoryField), "1048576");
  EXPECT_TRUE(link.prompt.Texts().empty());
}

}  // namespace
}  // namespace dotforge
