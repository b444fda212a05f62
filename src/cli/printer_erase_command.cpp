#include "cli/commands.h"
#include "cli/printer_link.h"
#include "printer/printer_dialogs.h"

namespace dotforge::cli {

int RunPrinterErase(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [](CPrinterCommands& commands) { return commands.ErasePrinterFonts(); }, err, false);
  const auto status = outcome.fields.find(printer_ui::kEraseStatusText);
  if (outcome.okEnabled && status != outcome.fields.end()) {
    out << status->second << '\n';
  }
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
