#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/shell/command_ids.h"
#include "app/printer_dialogs/escpos_dialog.h"
#include "app/table/preview_panel.h"
#include "escpos/escpos_messages.h"
#include "escpos/local_listener.h"
#include "framework/scripted_prompt.h"
#include "receipt/table_lines.h"
#include "gui/app_test.h"
#include "gui/gui_support.h"

namespace dotforge {
namespace {

constexpr int kNetworkIndex = 1;
constexpr int kDeviceIndex = 2;

class EscPosDialogTest : public test::AppTest {
 protected:
  // A message box the dialog shows is recorded and closed, so that an
  // unexpected one fails the test instead of holding it.
  void SetUp() override {
    test::AppTest::SetUp();
    QObject::connect(&messageWatch_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages_.push_back(box->text().toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    messageWatch_.start(50);
  }
  void TearDown() override { EXPECT_EQ(messages_, std::vector<std::string>{}); }

  // Runs the command; `script` works the dialog while it is open, then the
  // dialog is closed. False when no dialog opened.
  bool RunDialog(const std::function<void(EscPosDialog&)>& script, int command = cmd::kSendToEscPosPrinter) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<EscPosDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      opened = true;
      script(*dialog);
      dialog->CancelButton()->click();
      if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
    return Frame().Execute(command) && opened;
  }

  // Sends and waits for the send to end (at most 15 s).
  static void SendAndWait(EscPosDialog& dialog) {
    dialog.SendButton()->click();
    EXPECT_TRUE(dialog.Sending());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Sending(), 15000);
  }

  // The stream the dialog must have sent for the active set.
  Bytes Expected(const CDotforgeImportDoc& doc, EscPosFont font, const std::string& text, const char* codePage) {
    EscPosStreamOptions options;
    options.font = font;
    options.sampleText = text;
    options.codePage = codePage;
    ScriptedPrompt quiet;
    return BuildEscPosStream(doc, options, quiet).value().bytes;
  }

  QTimer messageWatch_;
  std::vector<std::string> messages_;
};

TEST_F(EscPosDialogTest, MenuEntryComesLastAndOpensWithTheSetsSampleAndFont) {
  // No font set: the Download menu has no entry.
  const auto downloadActions = [this] {
    for (QAction* menu : Frame().menuBar()->actions()) {
      if (menu->text() == "&Download") return menu->menu()->actions();
    }
    return QList<QAction*>{};
  };
  ASSERT_FALSE(downloadActions().isEmpty());
  for (QAction* action : downloadActions()) EXPECT_NE(action->text(), "Send to ESC/POS Printer\u2026");

  OpenFontSet(8, 16, {0x10, 0x41, 0x20, 0x7E, 0x42, 0x80});
  const QList<QAction*> actions = downloadActions();
  ASSERT_FALSE(actions.isEmpty());
  ASSERT_GE(actions.size(), 2);
  EXPECT_EQ(actions[actions.size() - 2]->text(), "Send to ESC/POS Printer\u2026");
  EXPECT_EQ(actions.back()->text(), "Print Character Table on Receipt Printer\u2026");
  EXPECT_EQ(actions.front()->text(), "Download Entire Font");
  EXPECT_TRUE(actions.back()->isEnabled());

  ASSERT_TRUE(RunDialog([](EscPosDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Send to ESC/POS Printer");
    // Code order, only 0x20..0x7E.
    EXPECT_EQ(dialog.SampleText(), " AB~");
    EXPECT_EQ(dialog.Font(), EscPosFont::B);
    EXPECT_EQ(dialog.PortField()->value(), 9100);
    EXPECT_EQ(dialog.DeviceField()->text(), "/dev/usb/lp0");
    EXPECT_EQ(dialog.Choices().codePage, "CP437");
    // 0x10 and 0x80 have dots: told once, in the dialog, not at every Send.
    EXPECT_EQ(dialog.NoteLabel()->text().toStdString(),
              "Characters not sent, being outside 0x20..0x7E where ESC/POS user-defined characters are: 2.");
    dialog.KindList()->setCurrentIndex(kNetworkIndex);
    dialog.HostField()->setText("printer.local");
    dialog.show();
    test::SaveScreenshot(dialog, "dialog_escpos_send");
    dialog.KindList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.Choices().kind, EscPosLinkKind::Serial);
    test::SaveScreenshot(dialog, "dialog_escpos_send_serial");
  }));

  // A cell larger than font B takes font A.
  OpenFontSet(12, 24, {0x41}, "LARGE.DSB");
  ASSERT_TRUE(RunDialog([](EscPosDialog& dialog) {
    EXPECT_EQ(dialog.Font(), EscPosFont::A);
    EXPECT_TRUE(dialog.NoteLabel()->isHidden());
  }));
}

TEST_F(EscPosDialogTest, SendsToADeviceThenTheNetworkAndRemembersTheChoices) {
  CDotforgeImportDoc& doc = OpenFontSet(12, 24, test::CodeRange(0x20, 0x7E));
  QTemporaryDir folder;
  const std::string devicePath = folder.filePath("lp0").toStdString();
  {
    // A named pipe stands in for the USB printer device.
    test::FifoPrinter device(devicePath);
    ASSERT_TRUE(RunDialog([&](EscPosDialog& dialog) {
      dialog.KindList()->setCurrentIndex(kDeviceIndex);
      dialog.DeviceField()->setText(QString::fromStdString(devicePath));
      dialog.SampleField()->setText("Hello ~");
      SendAndWait(dialog);
      EXPECT_EQ(dialog.StatusLabel()->text(), msg::kEscPosSent);
      EXPECT_EQ(dialog.Progress()->value(), dialog.Progress()->maximum());
    }));
    EXPECT_EQ(device.Take(), Expected(doc, EscPosFont::A, "Hello ~", "CP437"));
  }

  test::LocalListener printer(test::ListenerMode::Read);
  printer.Serve();
  const std::string sample = CharacterSample(doc);
  ASSERT_TRUE(RunDialog([&](EscPosDialog& dialog) {
    // The device choice came back; the sample is the set's again.
    EXPECT_EQ(dialog.KindList()->currentIndex(), kDeviceIndex);
    EXPECT_EQ(dialog.DeviceField()->text().toStdString(), devicePath);
    EXPECT_EQ(dialog.SampleText().toStdString(), sample);
    dialog.KindList()->setCurrentIndex(kNetworkIndex);
    dialog.HostField()->setText("127.0.0.1");
    dialog.PortField()->setValue(printer.Port());
    SendAndWait(dialog);
    EXPECT_EQ(dialog.StatusLabel()->text(), msg::kEscPosSent);
  }));
  EXPECT_EQ(printer.Received(), Expected(doc, EscPosFont::A, sample, "CP437"));

  ASSERT_TRUE(RunDialog([&](EscPosDialog& dialog) {
    EXPECT_EQ(dialog.KindList()->currentIndex(), kNetworkIndex);
    EXPECT_EQ(dialog.HostField()->text(), "127.0.0.1");
    EXPECT_EQ(dialog.PortField()->value(), printer.Port());
    EXPECT_EQ(dialog.DeviceField()->text().toStdString(), devicePath);
  }));
}

TEST_F(EscPosDialogTest, CancelEndsASendToAPrinterThatStopsReading) {
  OpenFontSet(12, 24, test::CodeRange(0x20, 0x7E));
  test::LocalListener stalled(test::ListenerMode::NeverRead);
  stalled.Serve();
  ASSERT_TRUE(RunDialog([&](EscPosDialog& dialog) {
    dialog.KindList()->setCurrentIndex(kNetworkIndex);
    dialog.HostField()->setText("127.0.0.1");
    dialog.PortField()->setValue(stalled.Port());
    // More than the socket buffers hold, so the send waits on the printer.
    dialog.SampleField()->setText(QString(30000, 'A'));
    dialog.SendButton()->click();
    ASSERT_TRUE(dialog.Sending());
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
    EXPECT_FALSE(dialog.SendButton()->isEnabled());
    QTest::qWait(300);
    EXPECT_TRUE(dialog.Sending());
    QElapsedTimer clock;
    clock.start();
    dialog.CancelButton()->click();
    // Cancel ends the send, not the dialog: the printer takes nothing more,
    // so the send gives up finishing its command after kFinishStallMs, well
    // before the 10 s a stall takes to be noticed.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Sending(), 8000);
    EXPECT_LT(clock.elapsed(), kFinishStallMs + 4000);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.StatusLabel()->text(), msg::kEscPosCancelled);
    EXPECT_EQ(dialog.CancelButton()->text(), "Close");
    EXPECT_TRUE(dialog.SendButton()->isEnabled());
    EXPECT_LT(dialog.Progress()->value(), dialog.Progress()->maximum());
  }));
}

TEST_F(EscPosDialogTest, SendWithoutAHostWarnsAndSendsNothing) {
  OpenFontSet(8, 16, {0x41});
  ScriptedPrompt prompt;
  SettingsStore store(SettingsStore::DefaultPath());
  ASSERT_TRUE(store.Load());
  EscPosDialog dialog(*app_.ActiveFontSet(), store, CommSettings{}, {}, prompt);
  dialog.KindList()->setCurrentIndex(kNetworkIndex);
  dialog.HostField()->setText("  ");
  dialog.SendButton()->click();
  EXPECT_FALSE(dialog.Sending());
  ASSERT_EQ(prompt.Entries().size(), 1u);
  EXPECT_EQ(prompt.Entries()[0].text, msg::kEscPosNoHost);
}

TEST_F(EscPosDialogTest, PrintsTheTableAndThePreviewAsPicturesAndRemembersPaperAndPictureCommands) {
  CDotforgeImportDoc& doc = OpenFontSet(12, 24, test::CodeRange(0x20, 0x7E));
  test::LocalListener printer(test::ListenerMode::Read);
  printer.Serve();
  ASSERT_TRUE(RunDialog(
      [&](EscPosDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Print Character Table on Receipt Printer");
        EXPECT_EQ(dialog.PaperDotsField()->value(), 576);
        dialog.PaperList()->setCurrentIndex(1);
        EXPECT_EQ(dialog.PaperDotsField()->value(), 384);
        dialog.PictureModeList()->setCurrentIndex(1);
        dialog.KindList()->setCurrentIndex(kNetworkIndex);
        dialog.HostField()->setText("127.0.0.1");
        dialog.PortField()->setValue(printer.Port());
        dialog.show();
        test::SaveScreenshot(dialog, "dialog_escpos_print_table");
        SendAndWait(dialog);
        EXPECT_EQ(dialog.StatusLabel()->text(), msg::kEscPosPictureSent);
      },
      cmd::kPrintTableOnReceiptPrinter));
  TablePrintRequest table;
  table.paperDots = 384;
  std::string error;
  PictureStreamOptions columns;
  columns.mode = PictureMode::Column;
  EXPECT_EQ(printer.Received(), BuildPictureStream(TableReceiptLines(doc, table, error).value(), columns).bytes);

  // The Preview panel's text, at its zoom, on the paper and with the commands chosen last.
  ASSERT_TRUE(Frame().Execute(cmd::kPreview));
  QTRY_VERIFY(app_.Preview().PrintButton()->isEnabled());
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<EscPosDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    opened = true;
    EXPECT_EQ(dialog->windowTitle(), "Print on Receipt Printer");
    EXPECT_EQ(dialog->PaperDotsField()->value(), 384);
    EXPECT_EQ(dialog->PaperList()->currentIndex(), 1);
    EXPECT_EQ(dialog->PictureModeList()->currentIndex(), 1);
    EXPECT_EQ(dialog->ZoomField()->value(), app_.Preview().ZoomBox()->value());
    dialog->PaperDotsField()->setValue(500);
    EXPECT_EQ(dialog->PaperList()->currentText(), "Other");
    test::SaveScreenshot(*dialog, "dialog_escpos_print_preview");
    dialog->done(QDialog::Rejected);
  });
  app_.Preview().PrintButton()->click();
  EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace dotforge
