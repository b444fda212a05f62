#include <gtest/gtest.h>

#include <filesystem>

#include "comm/comm_messages.h"
#include "comm/line_parameters.h"
#include "comm/setup_communication.h"
#include "comm/stored_settings.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

class StoredSettingsTest : public ::testing::Test {
 protected:
  void SetByte(const char* name, std::uint8_t value) { store_.SetBinary(kSettingsKey, name, ByteView(&value, 1)); }
  StoredSettings Load() {
    EXPECT_TRUE(store_.Save());
    SettingsStore fresh(store_.File());
    return LoadStoredSettings(fresh);
  }

  test::TempDir dir_;
  SettingsStore store_{dir_ / "settings.conf"};
};

TEST_F(StoredSettingsTest, NoKeyGivesTheDefaults) {
  SettingsStore empty(dir_ / "missing.conf");
  const StoredSettings settings = LoadStoredSettings(empty);
  EXPECT_EQ(settings.comm, CommSettings{});
  EXPECT_EQ(settings.comm.interfaceType, kInterfaceSerial);
  EXPECT_EQ(settings.comm.serialPort, 0);
  EXPECT_EQ(kBaudRates[settings.comm.baudRate], 115200);
  EXPECT_EQ(settings.comm.parity, kParityNone);
  EXPECT_EQ(settings.comm.flowControl, kFlowHardware);
  EXPECT_EQ(settings.importPath, std::filesystem::current_path().string());
}

TEST_F(StoredSettingsTest, ReadingStopsAtTheFirstMissingValue) {
  SetByte(kValueInterfaceType, 1);
  SetByte(kValueBaudRate, 4);
  SetByte(kValueParity, 2);
  SetByte(kValueFlowControl, 0);
  const StoredSettings settings = Load();
  EXPECT_EQ(settings.comm.interfaceType, kInterfaceUsb);
  // "Serial Port Id" is missing: it and everything after keep their defaults.
  EXPECT_EQ(settings.comm.baudRate, 0);
  EXPECT_EQ(settings.comm.parity, kParityNone);
  EXPECT_EQ(settings.comm.flowControl, kFlowHardware);
}

TEST_F(StoredSettingsTest, ValuesOutsideTheirTablesKeepTheDefault) {
  SetByte(kValueInterfaceType, 0);
  SetByte(kValueSerialPortId, 9);
  SetByte(kValueBaudRate, 8);
  SetByte(kValueParity, 1);
  SetByte(kValueFlowControl, 2);
  const StoredSettings settings = Load();
  EXPECT_EQ(settings.comm.serialPort, 0);
  EXPECT_EQ(settings.comm.baudRate, 0);
  EXPECT_EQ(settings.comm.parity, kParityOdd);
  EXPECT_EQ(settings.comm.flowControl, kFlowXonXoff);
}

TEST_F(StoredSettingsTest, SavedSettingsLoadBackWithOneBytePerValue) {
  StoredSettings saved;
  saved.comm = {kInterfaceSerial, kFlowXonXoff, 3, 7, kParityEven, {}, {}, {}};
  saved.comm.portDevices[3] = "/dev/ttyUSB0";
  saved.importPath = "/fonts";
  saved.carrayRows = {true, false, true, true};
  ASSERT_TRUE(SaveStoredSettings(store_, saved));
  SettingsStore fresh(store_.File());
  EXPECT_EQ(LoadStoredSettings(fresh).comm, saved.comm);
  EXPECT_EQ(LoadStoredSettings(fresh).importPath, "/fonts");
  EXPECT_EQ(LoadStoredSettings(fresh).carrayRows, saved.carrayRows);
  EXPECT_EQ(fresh.QueryBinary(kSettingsKey, kValueBaudRate), Bytes{7});
  EXPECT_EQ(fresh.QueryBinary(kSettingsKey, kValueCArrayRows), Bytes{0x0D});
  EXPECT_EQ(fresh.QueryString(kSettingsKey, "COM4 Device"), "/dev/ttyUSB0");
}

TEST_F(StoredSettingsTest, UsbPrinterIdsAsWrittenInTheFile) {
  store_.FromText("[SOFTWARE\\\\TALMOR\\\\DOTFORGE]\nUSB Printer Ids=str:04b8:0e15, 0DD4:0186\n");
  StoredSettings settings = Load();
  EXPECT_EQ(settings.comm.usbPrinterIds, (std::vector<std::uint32_t>{0x04B80E15, 0x0DD40186}));
  ASSERT_TRUE(SaveStoredSettings(store_, settings));
  SettingsStore fresh(store_.File());
  EXPECT_EQ(LoadStoredSettings(fresh).comm.usbPrinterIds, settings.comm.usbPrinterIds);
  EXPECT_EQ(fresh.QueryString(kSettingsKey, kValueUsbPrinterIds), "04B8:0E15 0DD4:0186");

  // A damaged list adds no printer.
  store_.FromText("[SOFTWARE\\\\TALMOR\\\\DOTFORGE]\nUSB Printer Ids=str:04b8-0e15\n");
  EXPECT_TRUE(Load().comm.usbPrinterIds.empty());
}

TEST(LineParameters, TermiosFollowsTheSettings) {
  CommSettings settings;
  settings.baudRate = 7;
  settings.parity = kParityOdd;
  settings.flowControl = kFlowHardware;
  termios line{};
  line.c_lflag = ECHO | ICANON | ISIG;
  line.c_iflag = ICRNL | IXOFF;
  line.c_oflag = OPOST;
  ConfigureTermios(line, LineParametersFor(settings));
  EXPECT_EQ(cfgetospeed(&line), B1200);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_TRUE(line.c_cflag & PARENB);
  EXPECT_TRUE(line.c_cflag & PARODD);
  EXPECT_FALSE(line.c_cflag & CSTOPB);
  EXPECT_TRUE(line.c_cflag & CRTSCTS);
  EXPECT_FALSE(line.c_iflag & (IXON | IXOFF | ICRNL));
  EXPECT_FALSE(line.c_lflag & (ECHO | ICANON | ISIG));
  EXPECT_FALSE(line.c_oflag & OPOST);
  EXPECT_EQ(line.c_cc[VMIN], 1);

  settings.parity = kParityEven;
  settings.flowControl = kFlowXonXoff;
  ConfigureTermios(line, LineParametersFor(settings));
  EXPECT_TRUE(line.c_cflag & PARENB);
  EXPECT_FALSE(line.c_cflag & PARODD);
  EXPECT_FALSE(line.c_cflag & CRTSCTS);
  EXPECT_TRUE(line.c_iflag & IXON);
  EXPECT_FALSE(line.c_iflag & IXOFF);
}

TEST(PortNames, NamesAndDevices) {
  EXPECT_EQ(PortName(0), "COM1");
  EXPECT_EQ(PortName(3), "COM4");
  CommSettings settings;
  EXPECT_EQ(PortDevice(settings, 3), "/dev/ttyS3");
  settings.portDevices[0] = "/dev/ttyUSB0";
  EXPECT_EQ(PortDevice(settings, 0), "/dev/ttyUSB0");
  EXPECT_EQ(BaudRateIndex(2400), 6);
  EXPECT_EQ(BaudRateIndex(300), -1);
}

TEST(SetupCommunicationDialog, UsbDisablesEverySerialControl) {
  SetupCommunicationDialog dialog(CommSettings{}, true);
  using D = SetupCommunicationDialog;
  EXPECT_TRUE(dialog.IsEnabled(D::kFlowNoneRadio));
  dialog.ClickUsb();
  for (const int id : D::kSerialControls) EXPECT_FALSE(dialog.IsEnabled(id)) << id;
  EXPECT_TRUE(dialog.IsEnabled(D::kSerialRadio));
  dialog.ClickSerial();
  for (const int id : D::kSerialControls) EXPECT_TRUE(dialog.IsEnabled(id)) << id;
}

TEST(SetupCommunicationDialog, WithoutUsbTheUsbChoiceIsRefused) {
  CommSettings usb;
  usb.interfaceType = kInterfaceUsb;
  SetupCommunicationDialog dialog(CommSettings{}, false);
  EXPECT_FALSE(dialog.IsEnabled(SetupCommunicationDialog::kUsbRadio));
  dialog.ClickUsb();
  EXPECT_EQ(dialog.Values().interfaceType, kInterfaceSerial);
}

TEST(SetupCommunicationDialog, OkStoresTheValuesAndOpensTheInterface) {
  test::TempDir dir;
  ScriptedPrompt prompt;
  CommSettings application;
  CCommContext comm(application, prompt, CurrentPlatformKind());
  SetupCommunicationDialog dialog(application, false);
  dialog.SelectPort(2);
  dialog.SelectBaudRate(4);
  dialog.SelectParity(kParityEven);
  dialog.SelectFlowControl(kFlowNone);
  CommSettings values = dialog.Values();
  values.portDevices[2] = (dir / "no-such-port").string();
  SetupCommunicationDialog pointed(values, false);
  EXPECT_FALSE(pointed.Ok(application, comm));
  EXPECT_EQ(application, values);
  EXPECT_EQ(comm.settings, values);
  // The device is named as missing, not as a line that failed to open.
  std::string missing = msg::kSerialDeviceMissing;
  missing.replace(missing.find("%s"), 2, values.portDevices[2]);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{missing});
}

}  // namespace
}  // namespace dotforge
