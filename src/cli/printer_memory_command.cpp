#include "cli/commands.h"
#include "cli/printer_link.h"
#include "printer/printer_dialogs.h"

namespace dotforge::cli {

int RunPrinterMemory(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [](CPrinterCommands& commands) { return commands.CheckAvailableMemory(); }, err, false);
  if (const auto text = outcome.fields.find(printer_ui::kMemoryField); text != outcome.fields.end()) {
    out << printer_ui::kMemoryLabel << ' ' << text->second << '\n';
  }
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
