#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "app/dialogs/setup_dialog.h"
#include "comm/comm_messages.h"
#include "comm/serial_ports.h"
#include "comm/stored_settings.h"
#include "framework/scripted_prompt.h"
#include "gui/gui_support.h"
#include "platform/platform_kind.h"
#include "support/fake_serial_tree.h"
#include "support/sim_link.h"

namespace dotforge {
namespace {

using D = SetupCommunicationDialog;

constexpr const char* kFtdiById = "usb-FTDI_FT232R_USB_UART_A6008isP-if00-port0";

class SetupDialogTest : public ::testing::Test {
 protected:
  SetupDialogTest() {
    tree_.AddUart(0, 4);
    tree_.AddUart(1, 0);
    tree_.AddUsbSerial(0, {"FTDI", "FT232R USB UART", "A6008isP"}, kFtdiById, printer_.Link());
    tree_.AddUsbModem(0, {"Arduino (www.arduino.cc)", "Arduino Uno", "7583"});
  }
  std::vector<SerialPortEntry> Present() const {
    return SerialPortScanner(SerialPortRoots{tree_.Dev(), tree_.Sys()}).List();
  }
  QComboBox* PortList(SetupDialog& dialog) const {
    return qobject_cast<QComboBox*>(dialog.Control(D::kSerialPortList));
  }
  std::string ById() const { return (tree_.Dev() / "serial" / "by-id" / kFtdiById).string(); }

  test::SimPrinter printer_{test::FastPrinter()};
  test::FakeSerialTree tree_;
  ScriptedPrompt prompt_;
};

QString GroupTitle(SetupDialog& dialog, int id) { return qobject_cast<QGroupBox*>(dialog.Control(id))->title(); }

TEST_F(SetupDialogTest, LayoutCaptionsAndMnemonics) {
  SetupDialog dialog(CommSettings{}, true, Present(), prompt_);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Setup Communication");
  QStringList groups;
  for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) groups << box->title();
  EXPECT_EQ(groups, QStringList({"Parameters", "&Serial Port", "&Parity", "&Flow Control"}));
  // The port, parity and flow control groups sit inside "Parameters".
  for (const int id : {D::kSerialPortGroup, D::kParityGroup, D::kFlowGroup}) {
    EXPECT_EQ(qobject_cast<QGroupBox*>(dialog.Control(id)->parentWidget())->title(), "Parameters");
  }
  EXPECT_EQ(QKeySequence::mnemonic(GroupTitle(dialog, D::kSerialPortGroup)), QKeySequence(Qt::ALT | Qt::Key_S));
  EXPECT_EQ(QKeySequence::mnemonic(GroupTitle(dialog, D::kParityGroup)), QKeySequence(Qt::ALT | Qt::Key_P));
  EXPECT_EQ(QKeySequence::mnemonic(GroupTitle(dialog, D::kFlowGroup)), QKeySequence(Qt::ALT | Qt::Key_F));
  EXPECT_EQ(qobject_cast<QLabel*>(dialog.Control(D::kBaudRateLabel))->text(), "Baud Rate");
  EXPECT_EQ(qobject_cast<QRadioButton*>(dialog.Control(D::kSerialRadio))->text(), "Serial");
  EXPECT_EQ(qobject_cast<QRadioButton*>(dialog.Control(D::kUsbRadio))->text(), "USB");
  EXPECT_EQ(qobject_cast<QRadioButton*>(dialog.Control(D::kFlowXonXoffRadio))->text(), "Xon/Xoff");
  EXPECT_TRUE(qobject_cast<QRadioButton*>(dialog.Control(D::kFlowHardwareRadio))->isChecked());

  QComboBox* ports = PortList(dialog);
  ASSERT_EQ(ports->count(), 7);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ports->itemText(i), QString("COM%1").arg(i + 1));
  EXPECT_EQ(ports->itemText(4), QString::fromStdString((tree_.Dev() / "ttyS0").string() + "  Built-in serial port"));
  EXPECT_EQ(ports->itemText(5), QString::fromStdString(ById() + "  FTDI FT232R USB UART  [A6008isP]"));
  EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(D::kPortDeviceField))->currentText(), "/dev/ttyS0");
  test::SaveScreenshot(dialog, "dialog_setup_communication");

  // The group's mnemonic takes the focus to the port list.
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(dialog.Control(D::kFlowHardwareRadio)->hasFocus());
  QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(ports->hasFocus());
}

TEST_F(SetupDialogTest, UsbDisablesEverySerialControl) {
  SetupDialog dialog(CommSettings{}, true, Present(), prompt_);
  dialog.show();
  QTest::mouseClick(dialog.Control(D::kUsbRadio), Qt::LeftButton);
  EXPECT_EQ(dialog.Logic().Values().interfaceType, kInterfaceUsb);
  for (const int id : D::kSerialControls) EXPECT_FALSE(dialog.Control(id)->isEnabled()) << id;
  EXPECT_FALSE(dialog.Control(D::kPortDeviceField)->isEnabled());
  EXPECT_TRUE(dialog.Control(D::kSerialRadio)->isEnabled());
  EXPECT_TRUE(dialog.Control(D::kSerialPortGroup)->parentWidget()->isEnabled());
  test::SaveScreenshot(dialog, "dialog_setup_communication_usb");
  QTest::mouseClick(dialog.Control(D::kSerialRadio), Qt::LeftButton);
  for (const int id : D::kSerialControls) EXPECT_TRUE(dialog.Control(id)->isEnabled()) << id;
  EXPECT_TRUE(dialog.Control(D::kPortDeviceField)->isEnabled());
}

// The user picks the adapter by its by-id name and presses OK; the choice is
// stored, and the next program run shows it chosen. Then the adapter is pulled
// out: OK names it and keeps the dialog open, the settings stay as they were.
TEST_F(SetupDialogTest, ChosenAdapterIsStoredShownAgainAndMissedWhenUnplugged) {
  SettingsStore store(tree_.Root() / "settings.conf");
  StoredSettings application = LoadStoredSettings(store);
  application.comm.flowControl = kFlowNone;
  CCommContext comm(application.comm, prompt_, CurrentPlatformKind());
  {
    SetupDialog dialog(application.comm, false, Present(), prompt_);
    dialog.show();
    PortList(dialog)->setCurrentIndex(5);
    EXPECT_FALSE(dialog.Control(D::kPortDeviceField)->isEnabled());
    EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(D::kPortDeviceField))->currentText(),
              QString::fromStdString(ById()));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(dialog.Logic().Ok(application.comm, comm)) << testing::PrintToString(prompt_.Texts());
  }
  EXPECT_EQ(comm.settings.serialDevice, ById());
  comm.CloseInterface();
  ASSERT_TRUE(SaveStoredSettings(store, application));

  SettingsStore restarted(store.File());
  const StoredSettings reloaded = LoadStoredSettings(restarted);
  {
    SetupDialog dialog(reloaded.comm, false, Present(), prompt_);
    EXPECT_EQ(PortList(dialog)->currentIndex(), 5);
    EXPECT_TRUE(PortList(dialog)->currentText().startsWith(QString::fromStdString(ById())));
  }

  tree_.Unplug("ttyUSB0");
  SetupDialog dialog(reloaded.comm, false, Present(), prompt_);
  dialog.show();
  QComboBox* ports = PortList(dialog);
  EXPECT_EQ(ports->currentText(), QString::fromStdString(ById() + "  " + msg::kDeviceNotPresent));
  test::SaveScreenshot(dialog, "dialog_setup_communication_missing_device");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(prompt_.Texts().size(), 1u);
  EXPECT_NE(prompt_.Texts()[0].find(ById()), std::string::npos);
  EXPECT_EQ(prompt_.Entries()[0].kind, MessageKind::Warning);
  EXPECT_EQ(application.comm, reloaded.comm);
  // Another port is accepted.
  ports->setCurrentIndex(0);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Logic().Values().serialDevice, "");
}

}  // namespace
}  // namespace dotforge
