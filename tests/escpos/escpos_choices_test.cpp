#include <gtest/gtest.h>

#include <filesystem>

#include "escpos/send/escpos_choices.h"
#include "escpos/escpos_messages.h"
#include "framework/scripted_prompt.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class EscPosChoicesTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const {
    return std::filesystem::temp_directory_path() /
           ("escpos_choices_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".conf");
  }
  void TearDown() override { std::filesystem::remove(File()); }
};

TEST_F(EscPosChoicesTest, DefaultsThenStoredChoicesComeBackFromTheFileAndBadValuesKeepDefaults) {
  CommSettings link;
  link.baudRate = 4;
  link.parity = kParityEven;
  SettingsStore empty(File());
  ASSERT_TRUE(empty.Load());
  const EscPosChoices defaults = LoadEscPosChoices(empty, link);
  EXPECT_EQ(defaults.kind, EscPosLinkKind::Network);
  EXPECT_EQ(defaults.port, 9100);
  EXPECT_EQ(defaults.devicePath, "/dev/usb/lp0");
  EXPECT_EQ(defaults.codePage, "CP437");
  EXPECT_EQ(defaults.serial, link);  // the printer link's line until one is stored

  EscPosChoices chosen = defaults;
  chosen.kind = EscPosLinkKind::Serial;
  chosen.serial.serialDevice = "/dev/ttyUSB3";
  chosen.serial.baudRate = 6;
  chosen.serial.flowControl = kFlowXonXoff;
  chosen.host = "shop-printer";
  chosen.port = 9101;
  chosen.devicePath = "/dev/usb/lp1";
  chosen.codePage = "CP858";
  ASSERT_TRUE(SaveEscPosChoices(empty, chosen));
  SettingsStore reopened(File());
  ASSERT_TRUE(reopened.Load());
  EXPECT_EQ(LoadEscPosChoices(reopened, link), chosen);

  // A kind, rate or port outside its range keeps the default.
  const std::uint8_t outside = 9;
  reopened.SetBinary(kEscPosChoicesKey, "Connection", ByteView(&outside, 1));
  reopened.SetBinary(kEscPosChoicesKey, "Baud Rate", ByteView(&outside, 1));
  reopened.SetString(kEscPosChoicesKey, "Port", "70000");
  const EscPosChoices repaired = LoadEscPosChoices(reopened, link);
  EXPECT_EQ(repaired.kind, EscPosLinkKind::Network);
  EXPECT_EQ(repaired.serial.baudRate, link.baudRate);
  EXPECT_EQ(repaired.port, 9100);
  EXPECT_EQ(repaired.host, "shop-printer");
}

TEST_F(EscPosChoicesTest, TargetAtSendNamesTheConnectionOrWarns) {
  CommSettings link;
  link.portDevices[1] = "/dev/ttyUSB0";
  EscPosChoices choices;
  choices.serial.serialPort = 1;
  choices.serial.baudRate = 4;  // 9600
  choices.kind = EscPosLinkKind::Serial;
  ScriptedPrompt prompt;
  const std::optional<EscPosTarget> serial = TargetOf(choices, link, prompt);
  ASSERT_TRUE(serial);
  EXPECT_EQ(serial->path, "/dev/ttyUSB0");  // COM2 stands for the link's device
  EXPECT_EQ(serial->line.baudRate, 9600);

  choices.kind = EscPosLinkKind::Network;
  choices.host = " ";
  EXPECT_FALSE(TargetOf(choices, link, prompt));
  choices.kind = EscPosLinkKind::Device;
  choices.devicePath.clear();
  EXPECT_FALSE(TargetOf(choices, link, prompt));
  ASSERT_EQ(prompt.Entries().size(), 2u);
  EXPECT_EQ(prompt.Entries()[0].text, msg::kEscPosNoHost);
  EXPECT_EQ(prompt.Entries()[1].text, msg::kEscPosNoDevice);

  choices.devicePath = "/dev/usb/lp2";
  const std::optional<EscPosTarget> device = TargetOf(choices, link, prompt);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->kind, EscPosLinkKind::Device);
  EXPECT_EQ(device->path, "/dev/usb/lp2");
}

TEST(EscPosCharacterSample, TheSetsCodesInsideTheRangeInCodeOrder) {
  const auto doc = test::MakeFontSet(8, 8, {0x7E, 0x1F, 0x41, 0x20, 0x7F, 0x30});
  EXPECT_EQ(CharacterSample(*doc), " 0A~");
  EXPECT_EQ(CharacterSample(*test::MakeFontSet(8, 8, {0x80})), "");
}

}  // namespace
}  // namespace dotforge
