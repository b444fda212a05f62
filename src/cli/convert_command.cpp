#include <filesystem>
#include <string>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/format_names.h"
#include "cli/input_file.h"
#include "model/download_file.h"
#include "model/native_file.h"
#include "model/side_format.h"

namespace dotforge::cli {
namespace {

constexpr const char* kConvertHelp =
    "usage: dotforge-cli convert IN OUT [options]\n"
    "\n"
    "Opens IN as the import command would and writes OUT as the export command\n"
    "would for OUT's format. A DSB file is written as a single-byte font named\n"
    "after OUT; a DDB file as a double-byte font with id 4.\n"
    "Questions are answered OK and printed to stderr with every message.\n"
    "Exit status: 0, 1 when reading or writing reported a problem, 2 for a usage error.\n"
    "\n"
    "options:\n"
    "  --to FMT           write OUT as FMT instead of guessing from its extension\n"
    "  --font-id N        DSB font id, 48..52 (the characters '0'..'4')\n";

bool WriteOutput(CDotforgeImportDoc& doc, int format, const std::filesystem::path& path, Prompt& prompt) {
  switch (format) {
    case kFormatDat:
      return WriteNativeFile(doc, path, prompt);
    case kFormatDsb:
      doc.fontType = kSingleByteFont;
      return WriteDsbFile(doc, path, prompt);
    case kFormatDdb:
      doc.fontType = kDoubleByteFont;
      doc.fontId = '4';
      return WriteDdbFile(doc, path, prompt);
    default:
      return false;
  }
}

}  // namespace

int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = InputOptions();
  options.insert({"to", "font-id"});
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, options, error);
  if (!parsed) return UsageError(err, "convert", error);
  if (parsed->help) {
    out << kConvertHelp << InputOptionsHelp();
    return kExitOk;
  }
  if (parsed->positional.size() != 2) return UsageError(err, "convert", "convert needs IN and OUT");
  const std::string& output = parsed->positional[1];

  const std::optional<int> format = parsed->options.count("to") ? FormatFromName(parsed->options.at("to"))
                                                                : FormatFromExtension(output);
  if (!format) return UsageError(err, "convert", "cannot tell the output format: use --to (" + FormatNameList() + ")");
  if (*format != kFormatDat && *format != kFormatDsb && *format != kFormatDdb) {
    return UsageError(err, "convert", "cannot write " + FormatName(*format) + " files yet");
  }
  std::optional<int> fontId;
  if (parsed->options.count("font-id")) {
    fontId = IntegerOption(*parsed, "font-id", 48, 52, error);
    if (!fontId) return UsageError(err, "convert", error);
  }

  CliPrompt prompt(err);
  const auto doc = OpenInputFile(parsed->positional[0], *parsed, prompt, error);
  if (!doc) return UsageError(err, "convert", error);
  if (fontId) doc->fontId = static_cast<char>(*fontId);
  const bool written = WriteOutput(*doc, *format, output, prompt);
  return written && prompt.MessageCount() == 0 ? kExitOk : kExitReported;
}

}  // namespace dotforge::cli
