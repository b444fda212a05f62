#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/input_file.h"
#include "cli/printer_link.h"

namespace dotforge::cli {

int RunPrinterDownload(const ParsedArguments& parsed, std::ostream&, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenInputFile(parsed.positional[0], parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "printer", error);
  if (prompt.MessageCount() > 0) return kExitReported;

  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [&](CPrinterCommands& commands) { return commands.DownloadEntireFont(*doc); }, err, true, true);
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
