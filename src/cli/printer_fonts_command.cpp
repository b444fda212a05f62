#include "cli/commands.h"
#include "cli/printer_link.h"
#include "printer/printer_dialogs.h"

namespace dotforge::cli {
namespace {

std::string Field(const WorkerOutcome& outcome, int id) {
  const auto field = outcome.fields.find(id);
  return field == outcome.fields.end() ? std::string() : field->second;
}

}  // namespace

int RunPrinterFonts(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [](CPrinterCommands& commands) { return commands.ReadPrinterFontInfos(); }, err, false);
  if (!outcome.started) return PrinterExitStatus(outcome);

  using namespace printer_ui;
  // Only the slots the printer answered for: after a failure the others are
  // unknown, not empty.
  const int slotsRead = outcome.progress * kFontSlots / 100;
  for (int slot = 0; slot < slotsRead; ++slot) {
    out << "slot " << slot << " (" << kSlotHeadings[slot] << ") id " << Field(outcome, kFontIdFields[slot]) << ": ";
    if (Field(outcome, kFontWidthFields[slot]).empty()) {
      out << "empty\n";
      continue;
    }
    out << "name=" << Field(outcome, kFontNameFields[slot]) << " width=" << Field(outcome, kFontWidthFields[slot])
        << " height=" << Field(outcome, kFontHeightFields[slot])
        << " characters=" << Field(outcome, kFontCountFields[slot])
        << " checksum=" << Field(outcome, kFontChecksumFields[slot]) << '\n';
  }
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
