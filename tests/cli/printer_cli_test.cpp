#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <numeric>
#include <sstream>
#include <thread>

#include "cli/cli_run.h"
#include "framework/scripted_prompt.h"
#include "model/download_file.h"
#include "model/native_file.h"
#include "comm/comm_messages.h"
#include "comm/stored_settings.h"
#include "platform/settings_store.h"
#include "printer/printer_messages.h"
#include "comm/serial_ports.h"
#include "support/fake_serial_tree.h"
#include "support/sim_link.h"
#include "support/usb_bus.h"

namespace dotforge::cli {
namespace {

class PrinterCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv(kSettingsFileVariable, (dir_ / "settings.conf").c_str(), 1);
    ScriptedPrompt prompt;
    auto doc = test::MakeFontSet(8, 2, {0x41, 0x42});
    ASSERT_TRUE(WriteNativeFile(*doc, dir_ / "LOGO.DAT", prompt));
  }
  void TearDown() override { unsetenv(kSettingsFileVariable); }

  CliRun Printer(std::vector<std::string> arguments, const test::SimPrinter* printer) {
    if (printer) {
      arguments.push_back("--port");
      arguments.push_back(printer->Link().string());
    }
    return RunCommand(&RunPrinter, arguments);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  test::TempDir dir_;
};

TEST_F(PrinterCliTest, DownloadThenListTheFonts) {
  test::SimPrinter printer(test::FastPrinter());
  const CliRun download = Printer({"download", Path("LOGO.DAT")}, &printer);
  EXPECT_EQ(download.status, kExitOk) << download.err;
  EXPECT_NE(download.err.find("100 %"), std::string::npos);
  // The name field comes from the font file's name.
  ASSERT_TRUE(printer->Slots()[0]);
  EXPECT_EQ(printer->Slots()[0]->name, "LOGO    ");

  const CliRun fonts = Printer({"fonts"}, &printer);
  EXPECT_EQ(fonts.status, kExitOk) << fonts.err;
  EXPECT_NE(fonts.out.find("slot 0 (Single) id 48: name=LOGO     width=8 height=2 characters=224"), std::string::npos)
      << fonts.out;
  EXPECT_NE(fonts.out.find("slot 4 (Double) id 52: empty"), std::string::npos);

  const CliRun memory = Printer({"memory"}, &printer);
  EXPECT_EQ(memory.out, "Available Memory (bytes) : " + std::to_string(printer->FreeMemory()) + "\n");

  const CliRun erase = Printer({"erase"}, &printer);
  EXPECT_EQ(erase.status, kExitOk);
  EXPECT_EQ(erase.out, std::string(msg::kEraseIsComplete) + "\n");
  EXPECT_FALSE(printer->Slots()[0]);
}

TEST_F(PrinterCliTest, PrintCharacterShowsTheGlyph) {
  test::SimPrinter printer(test::FastPrinter());
  EXPECT_EQ(Printer({"print-char", Path("LOGO.DAT"), "0x42"}, &printer).status, kExitOk);
  EXPECT_EQ(printer->PrintedCount(), 1);
  const CliRun missing = Printer({"print-char", Path("LOGO.DAT"), "43"}, &printer);
  EXPECT_EQ(missing.status, kExitReported);
  EXPECT_EQ(missing.err, "The font set has no character 0043\n");
  EXPECT_EQ(Printer({"print-char", Path("LOGO.DAT"), "xyz"}, &printer).status, kExitUsage);
}

TEST_F(PrinterCliTest, FailuresShowTheDialogMessageAndExitNonZero) {
  test::SimPrinter refusing(test::FastPrinter(sim::Misbehaviour::Nak));
  const CliRun refused = Printer({"download", Path("LOGO.DAT")}, &refusing);
  EXPECT_EQ(refused.status, kExitReported);
  EXPECT_NE(refused.err.find(std::string(msg::kErrorFontRefused) + "\n"), std::string::npos);

  const CliRun noPort = Printer({"fonts", "--port", Path("no-such-port")}, nullptr);
  EXPECT_EQ(noPort.status, kExitReported);
  EXPECT_EQ(noPort.err, std::string(msg::kErrorGettingComHandle) + ": " + Path("no-such-port") +
                           ": No such file or directory\n");
}

// Download into a printer that stops reading, then ask for its fonts once it
// is back: the download fails with a message, the query works.
TEST_F(PrinterCliTest, DownloadIntoAStuckPrinterFailsThenTheFontsQueryWorks) {
  ScriptedPrompt prompt;
  auto big = test::MakeFontSet(32, 32, test::CodeRange(0x20, 0xFF));
  ASSERT_TRUE(WriteNativeFile(*big, dir_ / "BIG.DAT", prompt));
  sim::SimulatorOptions options = test::FastPrinter(sim::Misbehaviour::Stall);
  options.stallAfterBytes = 2048;
  test::SimPrinter printer(options);
  const CliRun download = Printer({"download", Path("BIG.DAT")}, &printer);
  EXPECT_EQ(download.status, kExitReported);
  EXPECT_NE(download.err.find(std::string(msg::kErrorLineStalled) + "\n"), std::string::npos) << download.err;
  EXPECT_FALSE(printer->Slots()[0]);

  printer->Recover();
  const CliRun fonts = Printer({"fonts"}, &printer);
  EXPECT_EQ(fonts.status, kExitOk) << fonts.err;
  EXPECT_NE(fonts.out.find("slot 0 (Single) id 48: empty"), std::string::npos) << fonts.out;
  EXPECT_NE(fonts.out.find("slot 4 (Double) id 52: empty"), std::string::npos) << fonts.out;
}

// A query that fails part way lists only the slots the printer answered for.
TEST_F(PrinterCliTest, FontsListsOnlyTheSlotsRead) {
  test::SimPrinter silent(test::FastPrinter(sim::Misbehaviour::Silent));
  const CliRun fonts = Printer({"fonts"}, &silent);
  EXPECT_EQ(fonts.status, kExitReported);
  EXPECT_EQ(fonts.err, std::string(msg::kResponseNotReceived) + "\n");
  EXPECT_EQ(fonts.out, "");
}

TEST_F(PrinterCliTest, OptionsAreCheckedAndDefaultsComeFromTheStore) {
  EXPECT_EQ(Printer({"fonts", "--parity", "mark"}, nullptr).status, kExitUsage);
  EXPECT_EQ(Printer({"fonts", "--baud", "300"}, nullptr).status, kExitUsage);
  EXPECT_EQ(Printer({"fonts", "--flow", "dsr"}, nullptr).status, kExitUsage);
  EXPECT_EQ(Printer({"scan"}, nullptr).status, kExitUsage);
  EXPECT_EQ(Printer({"download"}, nullptr).status, kExitUsage);

  // The stored COM1 device is used when no option says otherwise.
  test::SimPrinter printer(test::FastPrinter());
  SettingsStore store(SettingsStore::DefaultPath());
  StoredSettings stored;
  stored.comm.portDevices[0] = printer.Link().string();
  stored.comm.baudRate = 4;
  ASSERT_TRUE(SaveStoredSettings(store, stored));
  EXPECT_EQ(Printer({"memory", "--flow", "xonxoff"}, nullptr).status, kExitOk);
  EXPECT_EQ(printer->Received(), Bytes({0x1F, 'w', 0x02}));
}

TEST_F(PrinterCliTest, PortsListsThePortNamesAndThePresentDevices) {
  test::FakeSerialTree tree;
  test::SimPrinter printer(test::FastPrinter());
  const std::string byId = "usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0";
  tree.AddUart(0, 4);
  tree.AddUart(1, 0);
  tree.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, byId, printer.Link());
  tree.AddUsbModem(0, {"Arduino (www.arduino.cc)", "Arduino Uno", "7583"});
  setenv(kDeviceRootVariable, tree.Root().c_str(), 1);
  SettingsStore store(SettingsStore::DefaultPath());
  StoredSettings stored;
  stored.comm.portDevices[2] = "/dev/ttyUSB5";
  ASSERT_TRUE(SaveStoredSettings(store, stored));

  const CliRun ports = Printer({"ports"}, nullptr);
  EXPECT_EQ(ports.status, kExitOk) << ports.err;
  const std::string dev = tree.Dev().string();
  EXPECT_EQ(ports.out, "COM1\t/dev/ttyS0\t\n"
                       "COM2\t/dev/ttyS1\t\n"
                       "COM3\t/dev/ttyUSB5\t\n"
                       "COM4\t/dev/ttyS3\t\n" +
                           dev + "/ttyS0\tBuilt-in serial port\t\n" +
                           dev + "/serial/by-id/" + byId + "\tFTDI FT232R USB UART\tA6008isP\n" +
                           dev + "/ttyACM0\tArduino (www.arduino.cc) Arduino Uno\t7583\n");

  // A listed path is a port: the by-id link leads to the printer.
  EXPECT_EQ(Printer({"memory", "--port", dev + "/serial/by-id/" + byId}, nullptr).status, kExitOk);
  EXPECT_EQ(printer->Received(), Bytes({0x1F, 'w', 0x02}));
  unsetenv(kDeviceRootVariable);

  const CliRun help = Printer({"--help"}, nullptr);
  EXPECT_NE(help.out.find("  ports "), std::string::npos);
}

TEST_F(PrinterCliTest, PortNamesChooseTheirStoredDevice) {
  test::SimPrinter printer(test::FastPrinter());
  SettingsStore store(SettingsStore::DefaultPath());
  StoredSettings stored;
  stored.comm.portDevices[1] = printer.Link().string();
  stored.comm.serialDevice = Path("gone");
  ASSERT_TRUE(SaveStoredSettings(store, stored));
  // The stored device choice is gone; naming COM2 picks the device behind it instead.
  EXPECT_EQ(Printer({"memory"}, nullptr).status, kExitReported);
  EXPECT_EQ(Printer({"memory", "--port", "com2"}, nullptr).status, kExitOk);
  EXPECT_EQ(printer->Received(), Bytes({0x1F, 'w', 0x02}));
}

// Ctrl-C part way through a download, then another download, judged by what
// the printer made of every byte: the first Ctrl-C ends the font in progress
// with blank cells, so the next font is stored whole; a Ctrl-C that comes once
// the whole font is on its way lets it finish; a second Ctrl-C stops at once;
// a line hung up in the middle is reported as such.
TEST_F(PrinterCliTest, InterruptedDownloadsLeaveThePrinterReadyForTheNext) {
  ScriptedPrompt prompt;
  // Far more bytes than the line and the device hold, so the cut falls inside.
  const auto firstSet = test::MakeFontSet(48, 48, test::CodeRange(0x20, 0xFF));
  const auto secondSet = test::MakeFontSet(32, 32, test::CodeRange(0x30, 0xFF));
  const auto smallSet = test::MakeFontSet(8, 8, test::CodeRange(0x20, 0x7F));
  ASSERT_TRUE(WriteNativeFile(*firstSet, dir_ / "FIRST.DAT", prompt));
  ASSERT_TRUE(WriteNativeFile(*secondSet, dir_ / "SECOND.DAT", prompt));
  ASSERT_TRUE(WriteNativeFile(*smallSet, dir_ / "SMALL.DAT", prompt));
  sim::SimulatorOptions paced;
  paced.baudRate = 115200;
  test::SimPrinter printer(paced);
  const auto download = [&](test::SimPrinter& on, const char* baud, const char* name, int interrupts,
                            std::size_t after) {
    const std::size_t before = on->Received().size();
    std::thread user([&] {
      if (!on.WaitForReceived(before + after)) return;
      for (int i = 0; i < interrupts; ++i) std::raise(SIGINT);
    });
    const CliRun run = Printer({"download", Path(name), "--baud", baud}, &on);
    user.join();
    return run;
  };
  const std::size_t command = 13 + 224 * 288;

  const CliRun cancelled = download(printer, "115200", "FIRST.DAT", 1, 2048);
  EXPECT_EQ(cancelled.status, kExitInterrupted);
  EXPECT_NE(cancelled.err.find("Download cancelled: font slot 0 of the printer holds an incomplete font\n"),
            std::string::npos) << cancelled.err;
  // One whole command: the font's bytes up to some cell, then blank cells.
  const Bytes first = printer->Received();
  ASSERT_EQ(first.size(), command);
  const Bytes sent = *EncodeDsbFile(*firstSet, "FIRST   ", prompt);
  const auto differs = std::mismatch(first.begin(), first.end(), sent.begin()).first;
  EXPECT_LT(differs - first.begin(), static_cast<long>(command) - 288);
  EXPECT_TRUE(std::all_of(differs, first.end(), [](std::uint8_t byte) { return byte == 0; }));
  ASSERT_TRUE(printer->Slots()[0]);
  EXPECT_EQ(printer->Slots()[0]->name, "FIRST   ");

  // The small font fits in the line's buffers at once, and takes about two
  // seconds to reach the printer: the Ctrl-C comes while it is on its way.
  sim::SimulatorOptions slowLine;
  slowLine.baudRate = 9600;
  test::SimPrinter slow(slowLine);
  const CliRun late = download(slow, "9600", "SMALL.DAT", 1, 512);
  EXPECT_EQ(late.status, kExitInterrupted);
  EXPECT_NE(late.err.find(std::string(msg::kDownloadFinishedBeforeCancel) + "\n"), std::string::npos) << late.err;
  const Bytes small = *EncodeDsbFile(*smallSet, "SMALL   ", prompt);
  EXPECT_EQ(slow->Received(), small);
  // Its answer was read: the next download on the line gets its own.
  EXPECT_EQ(download(slow, "9600", "SMALL.DAT", 0, 0).status, kExitOk);
  ASSERT_TRUE(slow->Slots()[0]);
  EXPECT_EQ(slow->Slots()[0]->name, "SMALL   ");

  const CliRun next = download(printer, "115200", "SECOND.DAT", 0, 0);
  EXPECT_EQ(next.status, kExitOk) << next.err;
  const Bytes second = *EncodeDsbFile(*secondSet, "SECOND  ", prompt);
  const Bytes received = printer->Received();
  EXPECT_EQ(Bytes(received.begin() + command, received.end()), second);
  ASSERT_TRUE(printer->Slots()[0]);
  EXPECT_EQ(printer->Slots()[0]->name, "SECOND  ");
  EXPECT_EQ(printer->Slots()[0]->checksum,
            static_cast<std::uint16_t>(std::accumulate(second.begin() + 13, second.end(), 0u)));

  const CliRun stopped = download(printer, "115200", "FIRST.DAT", 2, 2048);
  EXPECT_EQ(stopped.status, kExitInterrupted);
  EXPECT_NE(stopped.err.find(std::string(msg::kDownloadAbandoned) + "\n"), std::string::npos) << stopped.err;
  EXPECT_EQ(printer->Slots()[0]->name, "SECOND  ");

  sim::SimulatorOptions dropping = test::FastPrinter(sim::Misbehaviour::DropLine);
  dropping.dropAfterBytes = 4096;
  test::SimPrinter hangingUp(dropping);
  const CliRun gone = Printer({"download", Path("SECOND.DAT")}, &hangingUp);
  EXPECT_EQ(gone.status, kExitReported);
  EXPECT_NE(gone.err.find(std::string(msg::kPrinterGone) + "\n"), std::string::npos) << gone.err;
}

TEST_F(PrinterCliTest, SimulatorNeedsALink) {
  std::ostringstream out, err;
  EXPECT_EQ(RunPrinterSim({}, out, err), kExitUsage);
  EXPECT_EQ(RunPrinterSim({"--link", Path("p"), "--misbehave", "sulk"}, out, err), kExitUsage);
  EXPECT_EQ(RunPrinterSim({"--help"}, out, err), kExitOk);
  EXPECT_NE(out.str().find("--record FILE"), std::string::npos);
}

TEST_F(PrinterCliTest, SimulatorRecordsWhatItReceivesAndStopsAfterItsTimeout) {
  std::thread client([&] {
    for (int i = 0; i < 3000 && !std::filesystem::exists(dir_ / "p"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Printer({"memory", "--port", Path("p")}, nullptr);
  });
  std::ostringstream out, err;
  EXPECT_EQ(RunPrinterSim({"--link", Path("p"), "--unpaced", "--record", Path("rec"), "--timeout", "4"}, out, err),
            kExitOk);
  client.join();
  EXPECT_EQ(test::ReadBytes(dir_ / "rec"), Bytes({0x1F, 'w', 0x02}));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "p"));  // the link is removed
}

TEST_F(PrinterCliTest, OverUsb) {
  test::UsbBus bus;
  const CliRun download = Printer({"download", Path("LOGO.DAT"), "--usb"}, nullptr);
  EXPECT_EQ(download.status, kExitOk) << download.err;
  ASSERT_TRUE(bus.printer->Slots()[0]);
  EXPECT_EQ(bus.printer->Slots()[0]->name, "LOGO    ");
  const CliRun memory = Printer({"memory", "--usb"}, nullptr);
  EXPECT_EQ(memory.status, kExitOk) << memory.err;
  EXPECT_EQ(memory.out, "Available Memory (bytes) : " + std::to_string(1024 * 1024 - 224 * 2) + "\n");
  // The printer --usb uses is listed after the serial ports, named as the dialog names it.
  const CliRun ports = Printer({"ports"}, nullptr);
  EXPECT_NE(ports.out.find("usb:1-2\tDotforge Simulated Receipt Printer (bus 1, port 2)\t\n"), std::string::npos)
      << ports.out;

  bus.backend.Unplug(bus.device);
  const CliRun gone = Printer({"fonts", "--usb"}, nullptr);
  EXPECT_EQ(gone.status, kExitReported);
  EXPECT_NE(gone.err.find(msg::kUsbDeviceNotFound), std::string::npos) << gone.err;

  // Back, but this user may not open it: the message says how to get access.
  bus.backend.Replug(bus.device);
  bus.backend.SetAccessDenied(bus.device, true);
  const CliRun denied = Printer({"fonts", "--usb"}, nullptr);
  EXPECT_EQ(denied.status, kExitReported);
  EXPECT_NE(denied.err.find("No permission to use the USB printer"), std::string::npos) << denied.err;
  EXPECT_NE(denied.err.find("/usr/share/doc/dotforge/60-dotforge-usb-printer.rules"), std::string::npos) << denied.err;

  EXPECT_EQ(Printer({"memory", "--usb", "--port", "/dev/ttyS0"}, nullptr).status, kExitUsage);
  EXPECT_EQ(Printer({"memory", "--usb=yes"}, nullptr).status, kExitUsage);
}

}  // namespace
}  // namespace dotforge::cli
