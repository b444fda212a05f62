#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/font_dialogs.h"
#include "app/printer_dialogs/printer_dialog.h"
#include "app/dialogs/setup_dialog.h"
#include "comm/comm_messages.h"
#include "formats/commands/export_command.h"
#include "framework/scripted_prompt.h"
#include "gui/gui_support.h"
#include "model/font_properties.h"
#include "model/new_font.h"
#include "printer/printer_dialogs.h"
#include "support/usb_bus.h"

namespace dotforge {
namespace {

TEST(FontDialogs, NewFontSwitchesTheIdFieldWithTheType) {
  NewFontFields fields = NewFontDialogDefaults();
  NewFontDialog dialog(fields, NewFontDialogLogic{[](const NewFontFields&) { return true; }, &ChangeNewFontType});
  dialog.show();
  EXPECT_EQ(dialog.IdOrStartLabel()->text(), "Font ID");
  EXPECT_EQ(dialog.IdOrStartField()->text(), "48");
  test::SaveScreenshot(dialog, "dialog_new_font");
  dialog.WidthField()->setText("40");
  dialog.FontTypeField()->setCurrentIndex(1);
  EXPECT_EQ(dialog.IdOrStartLabel()->text(), "Start (hex)");
  EXPECT_EQ(dialog.IdOrStartField()->text(), "0020");
  EXPECT_EQ(dialog.WidthField()->text(), "8");
}

TEST(FontDialogs, FontPropertiesRefusedIdKeepsTheDialogOpen) {
  FontPropertiesFields fields = FontPropertiesDialogFields(0, 12, 24, 224, '0');
  int checks = 0;
  FontPropertiesDialog dialog(fields, [&checks](const FontPropertiesFields& f) {
    ++checks;
    return f.fontId == "49";
  });
  dialog.show();
  test::SaveScreenshot(dialog, "dialog_font_properties");
  dialog.FontIdField()->setText("52");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  dialog.FontIdField()->setText("49");
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(fields.fontId, "49");
}

TEST(FontDialogs, CodeEntryHandsTheTextToTheCheck) {
  CodeEntryFields fields;
  CodeEntryDialog dialog(fields, [](const CodeEntryFields& f) { return f.code == "0041"; });
  dialog.show();
  test::SaveScreenshot(dialog, "dialog_character_position");
  dialog.CodeField()->setText("1F");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  dialog.CodeField()->setText("0041");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

QLabel* LabelWithText(QWidget& parent, const QString& text) {
  for (QLabel* label : parent.findChildren<QLabel*>()) {
    if (label->text() == text) return label;
  }
  return nullptr;
}

TEST(SetupCommunication, TheUsbChoiceNamesThePrinterItWillUse) {
  test::UsbBus bus;
  ScriptedPrompt prompt;
  SetupDialog dialog(test::UsbSettings(), true, {}, prompt);
  dialog.show();
  QLabel* device = LabelWithText(dialog, "Dotforge Simulated Receipt Printer (bus 1, port 2)");
  ASSERT_NE(device, nullptr);
  EXPECT_TRUE(device->isEnabled());
  test::SaveScreenshot(dialog, "dialog_setup_communication_usb");
  for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
    if (radio->text() == "Serial") radio->click();
  }
  EXPECT_EQ(dialog.Logic().Values().interfaceType, kInterfaceSerial);
  EXPECT_FALSE(device->isEnabled());

  bus.backend.Unplug(bus.device);
  SetupDialog none(test::UsbSettings(), true, {}, prompt);
  EXPECT_NE(LabelWithText(none, msg::kNoUsbPrinter), nullptr);
}

TEST(OtherDialogs, Screenshots) {
  ExportDialogRequest exportRequest{"Export Files ", ExportTypeList(), "LOGO.DSB", 8, '0'};
  ExportFileDialog exportDialog(exportRequest);
  exportDialog.resize(700, 450);
  exportDialog.show();
  test::SaveScreenshot(exportDialog, "dialog_export");

  auto sink = std::make_shared<WorkerSink>();
  sink->SetField(printer_ui::kFontIdFields[0], "0");
  sink->SetField(printer_ui::kFontNameFields[0], "LOGO");
  PrinterDialog info(PrinterDialogKind::FontInfo, sink);
  info.DrainSink();
  EXPECT_EQ(info.FieldText(printer_ui::kFontNameFields[0]), "LOGO");
  info.show();
  test::SaveScreenshot(info, "dialog_printer_font_info");

  auto downloadSink = std::make_shared<WorkerSink>();
  downloadSink->SetProgress(40);
  downloadSink->EnableOk();
  PrinterDialog download(PrinterDialogKind::Download, downloadSink);
  download.DrainSink();
  EXPECT_TRUE(download.OkButton()->isEnabled());
  download.show();
  test::SaveScreenshot(download, "dialog_download");
}

}  // namespace
}  // namespace dotforge
