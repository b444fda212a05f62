#include "cli/commands.h"
#include "cli/printer_link.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"

namespace dotforge::cli {

int RunPrinterErase(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [](CPrinterCommands& commands) { return commands.ErasePrinterFonts(); }, err, false);
  // Only the printer's confirmation is news for stdout; a failure is on stderr.
  const auto status = outcome.fields.find(printer_ui::kEraseStatusText);
  if (status != outcome.fields.end() && status->second == msg::kEraseIsComplete) out << status->second << '\n';
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
