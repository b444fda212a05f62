#include <filesystem>
#include <string>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/format_names.h"
#include "cli/input_file.h"
#include "formats/export_command.h"

namespace dotforge::cli {
namespace {

constexpr const char* kConvertHelp =
    "usage: dotforge-cli convert IN OUT [options]\n"
    "\n"
    "Opens IN as the import command would and writes OUT through the export\n"
    "command, its dialog answered with OUT, OUT's format and the options below.\n"
    "OUT's name before its first '.' may hold at most 8 characters. A DSB file is\n"
    "written as a single-byte font named after OUT; a DDB file as a double-byte\n"
    "font with id 4. st10 files are written with --to-word-bits (default: the\n"
    "word width IN was read with), so an 8-bit st10 file can be rewritten as a\n"
    "16-bit one: convert A.C B.C --width 8 --height 16 --word-bits 8 --to-word-bits 16.\n"
    "Questions are answered OK and printed to stderr with every message.\n"
    "Exit status: 0, 1 when reading or writing reported a problem, 2 for a usage error.\n"
    "\n"
    "options:\n"
    "  --to FMT           write OUT as FMT instead of guessing from its extension\n"
    "  --to-word-bits 8|16  data word width of an st10 OUT (default: IN's)\n"
    "  --font-id N        DSB font id, 48..52 (the characters '0'..'4'); a DSB export\n"
    "                     of a font with id 52 asks for a single-byte id, 48..51\n";

}  // namespace

int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = InputOptions();
  options.insert({"to", "font-id", "to-word-bits"});
  options.insert(KeepCodesOptions().begin(), KeepCodesOptions().end());
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, options, KeepCodesFlags(), error);
  if (!parsed) return UsageError(err, "convert", error);
  if (parsed->help) {
    out << kConvertHelp << InputOptionsHelp() << KeepCodesOptionsHelp();
    return kExitOk;
  }
  if (parsed->positional.size() != 2) return UsageError(err, "convert", "convert needs IN and OUT");
  const std::string& output = parsed->positional[1];

  const std::optional<int> format = parsed->options.count("to") ? FormatFromName(parsed->options.at("to"))
                                                                : FormatFromExtension(output);
  if (!format) return UsageError(err, "convert", "cannot tell the output format: use --to (" + FormatNameList() + ")");
  if (!IsWritableFormat(*format)) {
    return UsageError(err, "convert", FormatName(*format) + " files can be read but not written");
  }
  FileChoice choice{output, *format, {}, {}, {}, {}};
  if (parsed->options.count("font-id")) {
    choice.fontId = IntegerOption(*parsed, "font-id", 48, 52, error);
    if (!choice.fontId) return UsageError(err, "convert", error);
  }
  if (parsed->options.count("to-word-bits")) {
    const std::string& bits = parsed->options.at("to-word-bits");
    if (bits != "8" && bits != "16") return UsageError(err, "convert", "--to-word-bits must be 8 or 16");
    choice.wordBits = std::stoi(bits);
  }

  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenInputFile(parsed->positional[0], *parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "convert", error);
  prompt.SetExportChoice(choice);
  ExportCommand exporter;
  const ExportOutcome outcome = exporter.Run(*doc, app.importRequest, prompt);
  return outcome == ExportOutcome::Written && prompt.MessageCount() == 0 ? kExitOk : kExitReported;
}

}  // namespace dotforge::cli
