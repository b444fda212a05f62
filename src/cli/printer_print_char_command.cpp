#include <cstdio>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/input_file.h"
#include "cli/printer_link.h"
#include "model/character_record.h"
#include "printer/printer_messages.h"

namespace dotforge::cli {

int RunPrinterPrintChar(const ParsedArguments& parsed, std::ostream&, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  std::string_view codeText = parsed.positional[1];
  if (codeText.size() > 2 && (codeText.substr(0, 2) == "0x" || codeText.substr(0, 2) == "0X")) codeText.remove_prefix(2);
  const std::optional<std::uint32_t> code = ParseLabelCode(codeText, 4);
  if (!code || codeText.empty() || codeText.size() > 4) {
    return UsageError(err, "printer", "CODE must be a hexadecimal code such as 41 or 8140");
  }

  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenInputFile(parsed.positional[0], parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "printer", error);
  if (prompt.MessageCount() > 0) return kExitReported;
  // The character to print is the selected one.
  doc->selected = nullptr;
  for (std::size_t i = 0; i < doc->codes.size(); ++i) {
    if (static_cast<std::uint32_t>(doc->codes[i]) == *code) doc->selected = doc->characters[i].get();
  }
  if (!doc->selected) {
    char text[64];
    std::snprintf(text, sizeof text, msg::kNoCharacterWithCode, static_cast<unsigned>(*code));
    prompt.ShowMessage(text);
    return kExitReported;
  }

  const WorkerOutcome outcome = RunPrinterCommand(
      *settings, [&](CPrinterCommands& commands) { return commands.DownloadAndPrintOneCharacter(*doc); }, err,
      false, true);
  return PrinterExitStatus(outcome);
}

}  // namespace dotforge::cli
