#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "cli/cli_run.h"
#include "comm/stored_settings.h"
#include "escpos/send/escpos_sender.h"
#include "escpos/local_listener.h"
#include "escpos/receipt_pictures.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "platform/settings_store.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

class EscPosSimCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv(kSettingsFileVariable, (dir_ / "settings.conf").c_str(), 1);
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteNativeFile(*font_, dir_ / "LOGO.DAT", prompt));
  }
  void TearDown() override { unsetenv(kSettingsFileVariable); }

  // Runs the simulator on a thread for `seconds`; Join gives what it printed.
  // The time is the whole budget of the sends that follow, on a busy machine too.
  void StartSim(std::vector<std::string> arguments, int seconds) {
    arguments.insert(arguments.end(), {"--png", Path("receipt.png"), "--timeout", std::to_string(seconds)});
    sim_ = std::thread([this, arguments] { simRun_ = RunCommand(&RunEscPosSim, arguments); });
  }
  CliRun Join() {
    sim_.join();
    return simRun_;
  }
  void ExpectReceipt(const std::string& text) {
    std::int32_t width = 0, height = 0, expectedHeight = 0;
    const auto dots = test::DecodePng(test::ReadBytes(Path("receipt.png")), width, height);
    const auto expected = test::PictureOf(*font_, text, expectedHeight);
    EXPECT_EQ(width, 576);
    EXPECT_EQ(height, expectedHeight);
    EXPECT_TRUE(dots == expected) << "the receipt differs from the glyphs";
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  test::TempDir dir_;
  std::unique_ptr<CDotforgeImportDoc> font_ = test::MakeFontSet(10, 20, {0x41, 0x42, 0x43, 0x5A});
  std::thread sim_;
  CliRun simRun_{};
};

TEST_F(EscPosSimCliTest, NetworkSimulatorPrintsWhatSendSentAndKeepsCharactersBetweenConnections) {
  const std::uint16_t port = test::ClosedPort();
  StartSim({"--listen", std::to_string(port)}, 5);
  const std::vector<std::string> send{"send", Path("LOGO.DAT"), "--host", "127.0.0.1:" + std::to_string(port),
                                      "--font", "a", "--text", "ABZ?CA"};
  CliRun run{};
  for (int attempt = 0; attempt < 150; ++attempt) {
    run = RunCommand(&RunEscPos, send);
    if (run.status == kExitOk) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(run.status, kExitOk) << run.err;
  // A second connection prints with the characters defined by the first.
  test::WriteBytes(Path("line.bin"), Bytes{0x1B, 0x25, 0x01, 'C', 'A', 'B', 0x0A});
  EscPosTarget target;
  target.host = "127.0.0.1";
  target.port = port;
  Event cancel(ResetMode::Manual);
  EXPECT_EQ(SendEscPos(target, test::ReadBytes(Path("line.bin")), cancel).status, EscPosSendResult::Status::Sent);
  const CliRun sim = Join();
  EXPECT_EQ(sim.status, kExitOk) << sim.err;
  EXPECT_EQ(sim.err, "");
  EXPECT_EQ(std::count(sim.out.begin(), sim.out.end(), '\n'), 2 * (24 + 1));
  ExpectReceipt("ABZ?CA\nCAB\n");
}

TEST_F(EscPosSimCliTest, SerialSimulatorOnAPseudoTerminal) {
  StartSim({"--link", Path("ttyESC")}, 4);
  CliRun run{};
  for (int attempt = 0; attempt < 150 && !std::filesystem::exists(Path("ttyESC")); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  run = RunCommand(&RunEscPos, {"send", Path("LOGO.DAT"), "--port", Path("ttyESC"), "--text", "AB"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  const CliRun sim = Join();
  EXPECT_EQ(sim.status, kExitOk);
  EXPECT_EQ(sim.err, "");
  ExpectReceipt("AB\n");
}

TEST_F(EscPosSimCliTest, UsageErrors) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, {"--listen", "9100", "--link", "x"}, {"--listen", "0"}, {"--link", "x", "--timeout", "0"},
        {"--link", "x", "file"}}) {
    EXPECT_EQ(RunCommand(&RunEscPosSim, arguments).status, kExitUsage);
  }
}

}  // namespace
}  // namespace dotforge::cli
