#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/command_ids.h"
#include "app/dotforge_app.h"
#include "app/main_frame.h"
#include "app/printer_dialog.h"
#include "printer/printer_dialogs.h"
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

}  // namespace
}  // namespace dotforge
