#include <gtest/gtest.h>

#include <fstream>

#include "comm/comm_messages.h"
#include "comm/port_choices.h"
#include "comm/serial_ports.h"
#include "comm/setup_communication.h"
#include "comm/stored_settings.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "support/fake_serial_tree.h"
#include "support/sim_link.h"

namespace dotforge {
namespace {

using test::FakeSerialTree;

constexpr const char* kFtdiById = "usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0";

std::vector<SerialPortEntry> List(const FakeSerialTree& tree) {
  return SerialPortScanner(SerialPortRoots{tree.Dev(), tree.Sys()}).List();
}

std::string DevPath(const FakeSerialTree& tree, const std::string& name) { return (tree.Dev() / name).string(); }
std::string ById(const FakeSerialTree& tree, const std::string& name) {
  return (tree.Dev() / "serial" / "by-id" / name).string();
}

TEST(SerialPortScanner, ListsRealDevicesWithTheirDescriptions) {
  FakeSerialTree tree;
  tree.AddUart(10, 4);
  tree.AddUart(1, 0);  // placeholder: no chip behind it
  tree.AddUart(0, 4);
  tree.AddUsbModem(0, {"Arduino (www.arduino.cc)", "Arduino Uno", "75833353035351A0E0B1"});
  tree.AddUsbSerial(1, {"", "Gadget\x07X", ""}, "");
  tree.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById);

  const std::vector<SerialPortEntry> ports = List(tree);
  ASSERT_EQ(ports.size(), 5u);
  // ttyS first in number order (10 after 0, not after 1), then ttyUSB, then ttyACM.
  EXPECT_EQ(ports[0].path, DevPath(tree, "ttyS0"));
  EXPECT_EQ(ports[0].description, msg::kBuiltInSerialPort);
  EXPECT_EQ(ports[1].path, DevPath(tree, "ttyS10"));
  EXPECT_EQ(ports[2].path, ById(tree, kFtdiById));
  EXPECT_EQ(ports[2].kernelPath, DevPath(tree, "ttyUSB0"));
  EXPECT_EQ(ports[2].description, "FTDI FT232R USB UART");
  EXPECT_EQ(ports[2].serialNumber, "A6008isP");
  // No by-id link: the node itself; a control character in a device string is blanked.
  EXPECT_EQ(ports[3].path, DevPath(tree, "ttyUSB1"));
  EXPECT_EQ(ports[3].description, "Gadget X");
  EXPECT_EQ(ports[3].serialNumber, "");
  EXPECT_EQ(ports[4].path, DevPath(tree, "ttyACM0"));
  EXPECT_EQ(ports[4].description, "Arduino (www.arduino.cc) Arduino Uno");
  EXPECT_EQ(ports[4].serialNumber, "75833353035351A0E0B1");
}

TEST(SerialPortScanner, LeavesOutWhatIsNotASerialDevice) {
  FakeSerialTree tree;
  tree.AddUart(0, 4);
  tree.AddUart(2, 4);
  tree.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById);
  std::filesystem::remove(tree.Dev() / "ttyS2");                             // sysfs entry without a node
  std::filesystem::remove(tree.Sys() / "class" / "tty" / "ttyS0" / "type");  // type unknown, a file is no tty
  std::filesystem::create_directories(tree.Sys() / "class" / "tty" / "ttySAC0");
  std::filesystem::create_directories(tree.Sys() / "class" / "tty" / "tty0");

  const std::vector<SerialPortEntry> ports = List(tree);
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].kernelPath, DevPath(tree, "ttyUSB0"));
  // The adapter is pulled out: it leaves the list and its by-id path leads nowhere.
  EXPECT_TRUE(DevicePresent(ports[0].path));
  tree.Unplug("ttyUSB0");
  EXPECT_FALSE(DevicePresent(ports[0].path));
  EXPECT_TRUE(List(tree).empty());
  EXPECT_TRUE(SerialPortScanner(SerialPortRoots{tree.Root() / "none", tree.Root() / "none"}).List().empty());
}

TEST(PortChoices, PortNamesThenDevicesThenAChoiceThatIsGone) {
  FakeSerialTree tree;
  tree.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById);
  CommSettings settings;
  settings.portDevices[1] = "/dev/ttyUSB7";
  std::vector<PortChoice> choices = PortChoices(settings, List(tree));
  ASSERT_EQ(choices.size(), 5u);
  EXPECT_EQ(choices[0].name, "COM1");
  EXPECT_EQ(choices[0].description, "/dev/ttyS0");
  EXPECT_EQ(choices[1].description, "/dev/ttyUSB7");
  EXPECT_EQ(PortChoiceText(choices[1]), "COM2");
  EXPECT_EQ(PortChoiceText(choices[4]), ById(tree, kFtdiById) + "  FTDI FT232R USB UART  [A6008isP]");
  EXPECT_EQ(ChosenPort(settings, choices), 0);

  // A device stored by its node is found under its by-id name.
  settings.serialDevice = DevPath(tree, "ttyUSB0");
  EXPECT_EQ(ChosenPort(settings, choices), 4);

  settings.serialDevice = "/dev/serial/by-id/usb-Gone";
  choices = PortChoices(settings, List(tree));
  ASSERT_EQ(choices.size(), 6u);
  EXPECT_EQ(choices[5].name, "/dev/serial/by-id/usb-Gone");
  EXPECT_EQ(choices[5].description, msg::kDeviceNotPresent);
  EXPECT_EQ(ChosenPort(settings, choices), 5);

  // A device the scan does not look for (here a plain file standing in for a
  // pseudo-terminal) is kept without the mark.
  settings.serialDevice = (tree.Root() / "printer-link").string();
  std::ofstream(settings.serialDevice) << "";
  choices = PortChoices(settings, List(tree));
  EXPECT_EQ(choices.back().name, settings.serialDevice);
  EXPECT_EQ(choices.back().description, "");
}

TEST(StoredDeviceChoice, RoundTripsBesideTheSerialPortId) {
  test::TempDir dir;
  SettingsStore store(dir / "settings.conf");
  StoredSettings saved;
  saved.comm.serialPort = 2;
  saved.comm.serialDevice = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0";
  saved.comm.portDevices[0] = "/dev/ttyUSB3";
  ASSERT_TRUE(SaveStoredSettings(store, saved));
  SettingsStore fresh(store.File());
  StoredSettings loaded = LoadStoredSettings(fresh);
  EXPECT_EQ(loaded.comm, saved.comm);
  // "Serial Port Id" keeps its one-byte port name meaning for older settings readers.
  EXPECT_EQ(fresh.QueryBinary(kSettingsKey, kValueSerialPortId), Bytes{2});
  EXPECT_EQ(fresh.QueryString(kSettingsKey, kValueSerialPortDevice), saved.comm.serialDevice);
  EXPECT_EQ(OpenedDevice(loaded.comm), saved.comm.serialDevice);

  // Going back to a port name and its default device removes the values.
  loaded.comm.serialDevice.clear();
  loaded.comm.portDevices[0].clear();
  ASSERT_TRUE(SaveStoredSettings(fresh, loaded));
  SettingsStore again(store.File());
  EXPECT_EQ(LoadStoredSettings(again).comm, loaded.comm);
  EXPECT_FALSE(again.QueryString(kSettingsKey, kValueSerialPortDevice));
  EXPECT_FALSE(again.QueryString(kSettingsKey, "COM1 Device"));
  EXPECT_EQ(OpenedDevice(loaded.comm), "/dev/ttyS2");
}

TEST(StoredDeviceChoice, GoesWithTheSerialPortId) {
  test::TempDir dir;
  SettingsStore store(dir / "settings.conf");
  const std::uint8_t usb = 1;
  store.SetBinary(kSettingsKey, kValueInterfaceType, ByteView(&usb, 1));
  store.SetString(kSettingsKey, kValueSerialPortDevice, "/dev/ttyACM0");
  ASSERT_TRUE(store.Save());
  SettingsStore fresh(store.File());
  // "Serial Port Id" is missing: the serial settings, the device among them, keep their defaults.
  EXPECT_EQ(LoadStoredSettings(fresh).comm.serialDevice, "");
}

class SetupDialogPortsTest : public ::testing::Test {
 protected:
  FakeSerialTree tree_;
  ScriptedPrompt prompt_;
};

TEST_F(SetupDialogPortsTest, ChoosingPortsAndTheirDevices) {
  tree_.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById);
  using D = SetupCommunicationDialog;
  D dialog(CommSettings{}, true, List(tree_));
  ASSERT_EQ(dialog.Ports().size(), 5u);
  EXPECT_EQ(dialog.SelectedPort(), 0);
  EXPECT_EQ(dialog.PortDeviceText(), "/dev/ttyS0");
  EXPECT_TRUE(dialog.IsEnabled(D::kPortDeviceField));
  dialog.ClickUsb();
  EXPECT_FALSE(dialog.IsEnabled(D::kPortDeviceField));
  EXPECT_FALSE(dialog.IsEnabled(D::kPortDeviceLabel));
  dialog.ClickSerial();

  dialog.SelectPort(1);
  dialog.SetPortDevice(DevPath(tree_, "ttyUSB0"));
  EXPECT_EQ(dialog.Values().portDevices[1], DevPath(tree_, "ttyUSB0"));
  dialog.SetPortDevice("/dev/ttyS1");  // the default again
  EXPECT_EQ(dialog.Values().portDevices[1], "");

  dialog.SelectPort(4);
  EXPECT_EQ(dialog.Values().serialDevice, ById(tree_, kFtdiById));
  EXPECT_EQ(dialog.Values().serialPort, 1);
  EXPECT_EQ(dialog.SelectedPort(), 4);
  EXPECT_EQ(dialog.PortDeviceText(), ById(tree_, kFtdiById));
  dialog.SetPortDevice("/dev/ttyUSB9");  // the field is read-only for a device path
  EXPECT_EQ(dialog.Values().serialDevice, ById(tree_, kFtdiById));
  EXPECT_EQ(dialog.Values().portDevices[1], "");
  EXPECT_FALSE(dialog.IsEnabled(D::kPortDeviceField));
  EXPECT_TRUE(dialog.CheckChosenDevice(prompt_));

  dialog.SelectPort(3);
  EXPECT_EQ(dialog.Values().serialDevice, "");
  EXPECT_EQ(OpenedDevice(dialog.Values()), "/dev/ttyS3");
  EXPECT_TRUE(prompt_.Texts().empty());
}

// A user picks an adapter by its by-id name, uses it, restarts the program and
// finds it still chosen; then the adapter is pulled out and OK names it.
TEST_F(SetupDialogPortsTest, ByIdChoiceSurvivesARestartAndAMissingDeviceIsNamed) {
  test::SimPrinter printer(test::FastPrinter());
  tree_.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById, printer.Link());
  const std::string byId = ById(tree_, kFtdiById);
  SettingsStore store(tree_.Root() / "settings.conf");
  StoredSettings application = LoadStoredSettings(store);
  application.comm.flowControl = kFlowNone;
  CCommContext comm(application.comm, prompt_, CurrentPlatformKind());

  SetupCommunicationDialog first(application.comm, false, List(tree_));
  ASSERT_EQ(first.Ports().at(4).name, byId);
  first.SelectPort(4);
  ASSERT_TRUE(first.CheckChosenDevice(prompt_));
  ASSERT_TRUE(first.Ok(application.comm, comm)) << testing::PrintToString(prompt_.Texts());
  const Bytes request{0x1F, 'w', 0x02};
  comm.Send(request);
  EXPECT_TRUE(printer.WaitForReceived(3));
  comm.CloseInterface();
  ASSERT_TRUE(SaveStoredSettings(store, application));

  SettingsStore restarted(store.File());
  const StoredSettings reloaded = LoadStoredSettings(restarted);
  EXPECT_EQ(reloaded.comm.serialDevice, byId);
  SetupCommunicationDialog second(reloaded.comm, false, List(tree_));
  EXPECT_EQ(second.SelectedPort(), 4);

  tree_.Unplug("ttyUSB0");
  SetupCommunicationDialog third(reloaded.comm, false, List(tree_));
  // Still shown as chosen, marked as not present.
  ASSERT_EQ(third.Ports().size(), 5u);
  EXPECT_EQ(third.SelectedPort(), 4);
  EXPECT_EQ(third.Ports()[4].description, msg::kDeviceNotPresent);
  third.SelectBaudRate(3);
  EXPECT_FALSE(third.CheckChosenDevice(prompt_));
  ASSERT_EQ(prompt_.Entries().size(), 1u);
  EXPECT_EQ(prompt_.Entries()[0].kind, MessageKind::Warning);
  EXPECT_EQ(prompt_.Entries()[0].text,
            "The serial device " + byId + " is not present.\nPlug it in, or choose another port.");
  // Choosing a port name instead does not ask.
  third.SelectPort(0);
  EXPECT_TRUE(third.CheckChosenDevice(prompt_));
  EXPECT_EQ(prompt_.Entries().size(), 1u);
}

}  // namespace
}  // namespace dotforge
