#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/shell/command_ids.h"
#include "app/shell/dotforge_app.h"
#include "app/shell/main_frame.h"
#include "app/printer_dialogs/printer_dialog.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "support/sim_link.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// Waits for the next printer dialog to enable OK, lets `inspect` look at it and
// presses OK. A dialog that never gets there is closed after `limitMs`.
void FinishNextPrinterDialog(std::function<void(PrinterDialog&)> inspect, bool* finished, int limitMs = 15000) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, inspect, finished, limitMs] {
    auto* dialog = qobject_cast<PrinterDialog*>(QApplication::activeModalWidget());
    const bool timedOut = clock->elapsed() > limitMs;
    if (!timedOut && (!dialog || !dialog->OkButton()->isEnabled())) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (!dialog) return;
    if (!timedOut) {
      *finished = true;
      inspect(*dialog);
    }
    dialog->done(QDialog::Accepted);
  });
  timer->start(20);
}

class PrinterGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program reads its link settings at start: COM1 is the simulator.
    StoredSettings stored;
    stored.comm = test::SimSettings(printer_);
    SettingsStore store(SettingsStore::DefaultPath());
    ASSERT_TRUE(SaveStoredSettings(store, stored));
    app_.Start(StartOptions{false});
  }

  test::SimPrinter printer_{test::FastPrinter()};
  CDotforgeApp app_;
};

TEST_F(PrinterGuiTest, CheckAvailableMemoryShowsThePrintersAnswer) {
  bool finished = false;
  QString memory;
  FinishNextPrinterDialog([&memory](PrinterDialog& dialog) { memory = dialog.FieldText(printer_ui::kMemoryField); },
                          &finished);
  ASSERT_TRUE(app_.MainFrame().Execute(cmd::kCheckAvailableMemory));
  EXPECT_TRUE(finished);
  EXPECT_FALSE(memory.isEmpty());
}

TEST_F(PrinterGuiTest, DownloadFromAFontSetWindow) {
  auto fontSet = test::MakeFontSet(8, 8, {0x41, 0x42});
  fontSet->SetTitle("SMALL.DSB");
  app_.Core().AddFontSet(std::move(fontSet));
  QApplication::processEvents();
  bool finished = false;
  int progress = -1;
  FinishNextPrinterDialog([&progress](PrinterDialog& dialog) { progress = dialog.ProgressBar()->value(); },
                          &finished);
  ASSERT_TRUE(app_.MainFrame().Execute(cmd::kDownloadEntireFont));
  EXPECT_TRUE(finished);
  EXPECT_EQ(progress, 100);
  // The printer got the single-byte header and all 224 cells.
  EXPECT_TRUE(printer_.WaitForReceived(13 + 224 * 8));
}

// Erase asks first and No sends nothing; Cancel in the download dialog keeps
// it open until the printer has left the font, and says what the slot holds.
TEST(PrinterGuiCancel, EraseAsksAndCancelEndsTheFontInProgress) {
  sim::SimulatorOptions paced;
  paced.baudRate = 38400;
  test::SimPrinter printer(paced);
  StoredSettings stored;
  stored.comm = test::SimSettings(printer);
  stored.comm.baudRate = BaudRateIndex(38400);
  SettingsStore store(SettingsStore::DefaultPath());
  ASSERT_TRUE(SaveStoredSettings(store, stored));
  CDotforgeApp app;
  app.Start(StartOptions{false});
  auto fontSet = test::MakeFontSet(32, 32, test::CodeRange(0x20, 0xFF));
  fontSet->SetTitle("PART.DSB");
  app.Core().AddFontSet(std::move(fontSet));
  QApplication::processEvents();

  QStringList boxes;
  bool cancelled = false;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes << box->text();
      // The question's default is No; a message only has OK.
      if (QPushButton* answer = box->defaultButton()) {
        answer->click();
      } else {
        box->accept();
      }
      return;
    }
    auto* dialog = qobject_cast<PrinterDialog*>(modal);
    if (!dialog) return;
    if (dialog->OkButton()->isEnabled()) {
      dialog->done(QDialog::Accepted);
    } else if (!cancelled && printer->Received().size() > 1024) {
      cancelled = true;
      dialog->CancelButton()->click();
    }
  });
  user.start(20);
  ASSERT_TRUE(app.MainFrame().Execute(cmd::kErasePrinterFonts));
  EXPECT_EQ(boxes, QStringList{msg::kConfirmErase});
  EXPECT_TRUE(printer->Received().empty());

  boxes.clear();
  ASSERT_TRUE(app.MainFrame().Execute(cmd::kDownloadEntireFont));
  user.stop();
  EXPECT_EQ(boxes, QStringList{"Download cancelled: font slot 0 of the printer holds an incomplete font"});
  // One whole command whose last cells are blank.
  const Bytes received = printer->Received();
  ASSERT_EQ(received.size(), 13u + 224 * 128);
  EXPECT_EQ(Bytes(received.end() - 128, received.end()), Bytes(128, 0));
  ASSERT_TRUE(printer->Slots()[0]);
  ASSERT_TRUE(app.MainFrame().Execute(cmd::kExit));
}

// Downloads of a large font into a printer that stops reading: the first
// fails with a message, the second is closed while it waits, and Exit follows.
// The program stays responsive throughout, and Exit with the line stuck (and a
// full queue behind it) ends at once.
TEST(PrinterGuiStalledLine, StaysResponsiveAndExitsPromptly) {
  sim::SimulatorOptions options = test::FastPrinter(sim::Misbehaviour::Stall);
  options.stallAfterBytes = 1024;
  test::SimPrinter printer(options);
  StoredSettings stored;
  stored.comm = test::SimSettings(printer);
  SettingsStore store(SettingsStore::DefaultPath());
  ASSERT_TRUE(SaveStoredSettings(store, stored));
  auto app = std::make_unique<CDotforgeApp>();
  app->Start(StartOptions{false});
  // 224 cells of 127 x 127 dots: 445 pieces, most of the write queue.
  auto fontSet = test::MakeFontSet(127, 127, test::CodeRange(0x20, 0xFF));
  fontSet->SetTitle("HUGE.DSB");
  app->Core().AddFontSet(std::move(fontSet));
  QApplication::processEvents();

  // The event loop's latency: the longest gap between the ticks of a 10 ms timer.
  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  // The user: answers message boxes, closes a finished download dialog, and
  // closes the second one while it still waits on the line.
  bool closeWhileWaiting = false;
  QStringList messages;
  QElapsedTimer sinceStart;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages << box->text();
      box->accept();
      return;
    }
    auto* dialog = qobject_cast<PrinterDialog*>(modal);
    if (!dialog) return;
    if (dialog->OkButton()->isEnabled()) dialog->done(QDialog::Accepted);
    if (closeWhileWaiting && sinceStart.elapsed() > 1000) dialog->done(QDialog::Rejected);
  });
  sinceTick.start();
  ticker.start(10);
  user.start(20);

  sinceStart.start();
  ASSERT_TRUE(app->MainFrame().Execute(cmd::kDownloadEntireFont));
  EXPECT_EQ(messages, QStringList{msg::kErrorLineStalled});
  EXPECT_TRUE(printer->Stalled());

  closeWhileWaiting = true;
  sinceStart.start();
  ASSERT_TRUE(app->MainFrame().Execute(cmd::kDownloadEntireFont));
  ticker.stop();
  user.stop();
  // A window that waited on the stuck line would stop for the 2 s the stall
  // takes to be noticed; a busy machine delays a tick by far less.
  EXPECT_LT(longestGap, 1000);

  QElapsedTimer exiting;
  exiting.start();
  ASSERT_TRUE(app->MainFrame().Execute(cmd::kExit));
  app.reset();
  // Before the 2 s a wait on the printer's reply would take.
  EXPECT_LT(exiting.elapsed(), 1500);
}

}  // namespace
}  // namespace dotforge
