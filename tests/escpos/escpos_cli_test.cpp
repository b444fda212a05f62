#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "cli/cli_run.h"
#include "cli/escpos_options.h"
#include "comm/stored_settings.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/local_listener.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "platform/settings_store.h"
#include "printersim/pseudo_terminal.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

class EscPosCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv(kSettingsFileVariable, (dir_ / "settings.conf").c_str(), 1);
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(12, 24, test::CodeRange(0x20, 0x7E)), dir_ / "SHOP.DAT", prompt));
    ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(9, 17, {0x41, 0x42, 0xA0, 0xA1}), dir_ / "SMALL.DAT", prompt));
  }
  void TearDown() override { unsetenv(kSettingsFileVariable); }

  static CliRun EscPos(const std::vector<std::string>& arguments) { return RunCommand(&RunEscPos, arguments); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  test::TempDir dir_;
};

TEST_F(EscPosCliTest, StreamFileIsWhatSendDeliversToANetworkPrinter) {
  CliRun run = EscPos({"stream", Path("SHOP.DAT"), "-o", Path("SHOP.BIN"), "--text", "AB\xC3\xA9"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  const Bytes file = test::ReadBytes(Path("SHOP.BIN"));
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.sampleText = "AB\xC3\xA9";
  const auto expected = BuildEscPosStream(*test::MakeFontSet(12, 24, test::CodeRange(0x20, 0x7E)), options, prompt);
  ASSERT_TRUE(expected);
  EXPECT_EQ(file, expected->bytes);
  // NULs and ESC @ + 3 + one run header + 95 characters of 1 + 36 bytes + ESC % 1 + "AB\x82" LF ESC % 0.
  EXPECT_EQ(file.size(), kEscPosPrefixNuls + 2u + 3u + 5u + 95u * 37u + 3u + 3u + 4u);

  test::LocalListener printer(test::ListenerMode::Read);
  printer.Serve();
  run = EscPos({"send", Path("SHOP.DAT"), "--host", "127.0.0.1:" + std::to_string(printer.Port()), "--text",
                "AB\xC3\xA9"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(printer.Received(), file);

  // The printer is gone now: the same command fails, naming the host.
  const std::uint16_t closed = test::ClosedPort();
  run = EscPos({"send", Path("SHOP.DAT"), "--host", "127.0.0.1:" + std::to_string(closed)});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_EQ(run.err, "dotforge-cli: The printer at 127.0.0.1:" + std::to_string(closed) +
                         " refused the connection.\n");
}

TEST_F(EscPosCliTest, SmallCellPicksFontBAndSkippedCharactersAreANotice) {
  CliRun run = EscPos({"stream", Path("SMALL.DAT"), "--output", Path("SMALL.BIN")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.err, "Characters not sent, being outside 0x20..0x7E where ESC/POS user-defined characters are: 2.\n");
  const Bytes file = test::ReadBytes(Path("SMALL.BIN"));
  ASSERT_GE(file.size(), 8u);
  const auto start = file.begin() + kEscPosPrefixNuls;
  EXPECT_EQ(Bytes(start, start + 10), (Bytes{0x1B, 0x40, 0x1B, 0x4D, 0x01, 0x1B, 0x26, 0x03, 0x41, 0x42}));

  run = EscPos({"stream", Path("SMALL.DAT"), "-o", Path("SMALL.BIN"), "--font", "a"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(test::ReadBytes(Path("SMALL.BIN"))[kEscPosPrefixNuls + 4], 0x00);

  run = EscPos({"stream", Path("SHOP.DAT"), "-o", Path("SHOP.BIN"), "--font", "b"});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_NE(run.err.find("printer font B (9 x 17 dots)"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Path("SHOP.BIN")));

  run = EscPos({"stream", Path("SMALL.DAT"), "-o", Path("SMALL.BIN"), "--text", "\xE2\x82\xAC", "--encoding",
                "CP858"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  const Bytes euro = test::ReadBytes(Path("SMALL.BIN"));
  EXPECT_EQ(Bytes(euro.end() - 5, euro.end()), (Bytes{0xD5, 0x0A, 0x1B, 0x25, 0x00}));
}

TEST_F(EscPosCliTest, SendsToAUsbPrinterDeviceAndASerialLine) {
  test::FifoPrinter device(Path("lp0"));
  CliRun run = EscPos({"send", Path("SMALL.DAT"), "--device", Path("lp0")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  ASSERT_EQ(EscPos({"stream", Path("SMALL.DAT"), "-o", Path("SMALL.BIN")}).status, kExitOk);
  const Bytes stream = test::ReadBytes(Path("SMALL.BIN"));
  EXPECT_EQ(device.Take(), stream);

  // A regular file is no printer: refused and left as it was.
  run = EscPos({"send", Path("SMALL.DAT"), "--device", Path("SMALL.BIN")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_EQ(run.err, "Characters not sent, being outside 0x20..0x7E where ESC/POS user-defined characters are: 2.\n"
                     "dotforge-cli: " + Path("SMALL.BIN") +
                         " is not a printer device; use 'escpos stream -o' to write a file\n");
  EXPECT_EQ(test::ReadBytes(Path("SMALL.BIN")), stream);

  run = EscPos({"send", Path("SMALL.DAT"), "--device", Path("lp1")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_NE(run.err.find("The printer device " + Path("lp1") + " does not exist"), std::string::npos);

  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir_ / "ttyPRN", error)) << error;
  run = EscPos({"send", Path("SMALL.DAT"), "--port", Path("ttyPRN"), "--baud", "19200", "--flow", "none"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  Bytes received;
  std::uint8_t buffer[512];
  pollfd watched{line.Master(), POLLIN, 0};
  while (received.size() < stream.size() && poll(&watched, 1, 2000) > 0) {
    const ssize_t count = read(line.Master(), buffer, sizeof buffer);
    if (count <= 0) break;
    received.insert(received.end(), buffer, buffer + count);
  }
  EXPECT_EQ(received, stream);
}

TEST_F(EscPosCliTest, SendLongerThanASecondOfLineTimeShowsProgressToTheEnd) {
  // 30 characters of 12 x 24 at 9600 baud: 1121 bytes, 1.17 s on the line.
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(12, 24, test::CodeRange(0x41, 0x5E)), dir_ / "SLOW.DAT", prompt));
  sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(dir_ / "ttyPRN", error)) << error;
  std::atomic<bool> done{false};
  std::size_t received = 0;
  std::thread printer([&] {
    std::uint8_t buffer[512];
    while (!done) {
      pollfd watched{line.Master(), POLLIN, 0};
      if (poll(&watched, 1, 20) <= 0) continue;
      const ssize_t count = read(line.Master(), buffer, sizeof buffer);
      if (count > 0) received += static_cast<std::size_t>(count);
    }
  });
  const CliRun run = EscPos({"send", Path("SLOW.DAT"), "--port", Path("ttyPRN"), "--baud", "9600", "--flow", "none"});
  done = true;
  printer.join();
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(received, kEscPosPrefixNuls + 2u + 3u + 5u + 30u * 37u + 3u);
  // Not a terminal: the progress is one line, where the send ended, not a
  // line per step.
  EXPECT_EQ(run.err, "[" + std::string(30, '#') + "] 100 %\n");
}

TEST_F(EscPosCliTest, UsageErrorsNameTheProblem) {
  const std::string font = Path("SMALL.DAT");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"send", font}, "send needs one of --port, --host or --device"},
      {{"send", font, "--host", "a", "--device", "b"}, "--port, --host and --device exclude each other"},
      {{"send", font, "--host", "a", "--baud", "9600"}, "--baud, --parity and --flow go with --port"},
      {{"send", font, "--host", "printer:0"}, "--host: the port must be a number from 1 to 65535"},
      {{"send", font, "--port", "COM1", "--baud", "1234"}, "--baud must be one of"},
      {{"send", font, "--device", "x", "--font", "c"}, "--font must be a or b"},
      {{"send", font, "--device", "x", "-o", "y"}, "-o belongs to escpos stream"},
      {{"stream", font}, "escpos stream needs -o OUT.BIN"},
      {{"stream", font, "-o", "x", "--host", "a"}, "--host belongs to escpos send"},
      {{"frobnicate", font}, "unknown escpos command 'frobnicate'"},
      {{"print", font, "-o", "x"}, "escpos print needs --text TEXT or --table"},
      {{"print", font, "--table", "--text", "A", "-o", "x"}, "--text and --table exclude each other"},
      {{"print", font, "--text", "A", "--codes", "41", "-o", "x"}, "--codes goes with --table"},
      {{"print", font, "--table", "--zoom", "9", "-o", "x"}, "--zoom must be a whole number from 1 to 8"},
      {{"print", font, "--table", "--image", "bits", "-o", "x"}, "--image must be raster or column"},
      {{"print", font, "--table", "-o", "x", "--host", "a"}, "-o and --host exclude each other"},
      {{"stream", font, "-o", "x", "--cut"}, "--cut belongs to escpos print"},
      {{"send"}, "escpos send needs one FONTFILE"},
  };
  for (const auto& [arguments, text] : cases) {
    const CliRun run = EscPos(arguments);
    EXPECT_EQ(run.status, kExitUsage) << text;
    EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
  }
  // --encoding is described once, as the text's code page, never as a
  // re-encoding of the font file.
  const CliRun help = EscPos({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  std::size_t entries = 0;
  for (std::size_t at = help.out.find("\n  --encoding"); at != std::string::npos;
       at = help.out.find("\n  --encoding", at + 1)) {
    ++entries;
  }
  EXPECT_EQ(entries, 1u) << help.out;
  EXPECT_EQ(help.out.find("re-encode"), std::string::npos) << help.out;
}

TEST(EscPosHostOption, HostPortAndIpv6Forms) {
  std::string error;
  const std::vector<std::tuple<std::string, std::string, std::uint16_t>> good{
      {"printer", "printer", 9100},     {"printer:9101", "printer", 9101}, {"10.0.0.5", "10.0.0.5", 9100},
      {"[::1]:9200", "::1", 9200},      {"[fe80::1]", "fe80::1", 9100},    {"fe80::2", "fe80::2", 9100},
  };
  for (const auto& [text, host, port] : good) {
    const auto target = ParseHost(text, error);
    ASSERT_TRUE(target) << text << ": " << error;
    EXPECT_EQ(target->host, host);
    EXPECT_EQ(target->port, port);
  }
  for (const std::string text : {"", ":9100", "printer:", "printer:70000", "printer:x", "[::1", "[::1]9100", "[::1]:"}) {
    EXPECT_FALSE(ParseHost(text, error)) << text;
  }
}

}  // namespace
}  // namespace dotforge::cli
