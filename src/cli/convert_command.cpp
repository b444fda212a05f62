#include <filesystem>
#include <string>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/firmware_flags.h"
#include "cli/input_file.h"
#include "formats/commands/export_command.h"
#include "formats/format_table.h"
#include "model/side_format.h"

namespace dotforge::cli {
namespace {

constexpr int kMaxBaseline = 255;

constexpr const char* kConvertHelp =
    "usage: dotforge-cli convert IN OUT [options]\n"
    "       dotforge-cli convert IN -o OUT [options]\n"
    "\n"
    "Opens IN as the import command would and writes OUT through the export\n"
    "command, its dialog answered with OUT, OUT's format and the options below.\n"
    "Except for bdf, psf, hex, gfx and carray, OUT's name before its first '.' may hold at most\n"
    "8 characters (printable ASCII for dsb and ddb). A DSB file is written as a single-byte font named after OUT; a\n"
    "DDB file as a double-byte font with id 4. st10 files are written with\n"
    "--to-word-bits (default: the word width IN was read with), so an 8-bit st10\n"
    "file can be rewritten as a 16-bit one:\n"
    "convert A.C B.C --width 8 --height 16 --word-bits 8 --to-word-bits 16.\n"
    "bdf, psf (PSF2) and hex (Unifont hex, 8x16 and 16x16 cells only) write the\n"
    "characters in ascending code order. Their codes are taken as Unicode unless\n"
    "--encoding names their code page: a psf file's Unicode table then holds what\n"
    "the code page's bytes stand for (SHIFT_JIS 8140 -> U+3000), a bdf file keeps\n"
    "the codes and names the code page as its charset.\n"
    "Questions are answered OK and printed to stderr with every message.\n"
    "Exit status: 0, 1 when reading or writing reported a problem (such as characters\n"
    "left out of OUT or reading back at other codes), 2 for a usage error.\n"
    "\n"
    "options:\n"
    "  -o, --output OUT   the file to write (instead of the second name)\n"
    "  --to FMT           write OUT as FMT instead of guessing from its extension\n"
    "  --to-word-bits 8|16  data word width of an st10 OUT (default: IN's)\n"
    "  --font-id N        DSB font id, 48..52 (the characters '0'..'4'); a DSB export\n"
    "                     of a font with id 52 asks for a single-byte id, 48..51\n"
    "For a bdf, psf, hex or gfx OUT, --baseline and --encoding describe the written\n"
    "font (and, for bitmap font input, the read one as below):\n"
    "  --baseline B       bdf, gfx: cell rows above the baseline (default: the one the\n"
    "                     glyphs were placed on for bitmap font input and\n"
    "                     --keep-codes, else height - height/8)\n"
    "  --encoding NAME    bdf, psf: iconv name of the code page of the font set's codes\n";

// "-o OUT" is "--output OUT".
std::vector<std::string> WithLongOutputOption(std::vector<std::string> arguments) {
  for (std::string& word : arguments) {
    if (word == "-o") word = "--output";
  }
  return arguments;
}

bool IsAnyFormat(const FileFormat&) { return true; }

// The format named by `option` when it is given, else the one `file`'s extension stands for.
const FileFormat* FormatOf(const std::string& file, const ParsedArguments& parsed, const std::string& option) {
  if (parsed.options.count(option)) return FileFormatByName(parsed.options.at(option));
  return FileFormatByExtension(file);
}

// --baseline and --encoding describe the font set's cells and codes: a bitmap
// font import reads by them and a BDF or PSF2 export writes by them. Those the
// output takes go into `choice`; those the input does not take are removed from
// `inputArguments`. False after a usage error.
bool TakeOutputFontOptions(int outputFormat, bool bitmapInput, ParsedArguments& inputArguments, FileChoice& choice,
                           std::string& error) {
  const bool baselineOut = outputFormat == kFormatBdf || outputFormat == kFormatGfx;
  const bool encodingOut = outputFormat == kFormatBdf || outputFormat == kFormatPsf;
  auto& options = inputArguments.options;
  if (options.count("baseline") && baselineOut) {
    const std::optional<int> baseline = IntegerOption(inputArguments, "baseline", 0, kMaxBaseline, error);
    if (!baseline) return false;
    choice.baseline = baseline;
  }
  if (options.count("encoding") && encodingOut) choice.codePage = options.at("encoding");
  if (bitmapInput) return true;
  if (options.count("baseline") && !baselineOut) {
    error = "--baseline applies to bdf, pcf, psf and hex input and to bdf and gfx output only";
    return false;
  }
  if (options.count("encoding") && !encodingOut) {
    error = "--encoding applies to bdf, pcf, psf and hex input and to bdf and psf output only";
    return false;
  }
  options.erase("baseline");
  options.erase("encoding");
  return true;
}

}  // namespace

int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = InputOptions();
  options.insert({"to", "font-id", "to-word-bits", "output"});
  options.insert(KeepCodesOptions().begin(), KeepCodesOptions().end());
  options.insert(FirmwareOptions().begin(), FirmwareOptions().end());
  std::set<std::string> flags = KeepCodesFlags();
  flags.insert(FirmwareFlags().begin(), FirmwareFlags().end());
  std::string error;
  std::optional<ParsedArguments> parsed = ParseArguments(WithLongOutputOption(arguments), options, flags, error);
  if (!parsed) return UsageError(err, "convert", error);
  if (parsed->help) {
    out << kConvertHelp << FirmwareOptionsHelp() << InputOptionsHelp() << KeepCodesOptionsHelp();
    return kExitOk;
  }
  const bool outputOption = parsed->options.count("output") > 0;
  if (parsed->positional.size() != (outputOption ? 1U : 2U)) {
    return UsageError(err, "convert", "convert needs IN and OUT (or IN -o OUT)");
  }
  const std::string output = outputOption ? parsed->options.at("output") : parsed->positional[1];

  const FileFormat* format = FormatOf(output, *parsed, "to");
  if (!format) {
    return UsageError(err, "convert", "cannot tell the output format: use --to (" + FormatNames(&IsAnyFormat) + ")");
  }
  if (!format->write) {
    return UsageError(err, "convert", std::string(format->names.front()) + " files can be read but not written");
  }
  FileChoice choice{output, format->format, {}, {}, {}, {}, {}, {}, {}};
  if (parsed->options.count("font-id")) {
    choice.fontId = IntegerOption(*parsed, "font-id", 48, 52, error);
    if (!choice.fontId) return UsageError(err, "convert", error);
  }
  if (parsed->options.count("to-word-bits")) {
    const std::string& bits = parsed->options.at("to-word-bits");
    if (bits != "8" && bits != "16") return UsageError(err, "convert", "--to-word-bits must be 8 or 16");
    choice.wordBits = std::stoi(bits);
  }
  const std::string& input = parsed->positional[0];
  const FileFormat* inputFormat = FormatOf(input, *parsed, "from");
  const bool bitmapInput = inputFormat && inputFormat->bitmapFont;
  // An outline font keeping its codes reads by --baseline and --encoding as a bitmap font does.
  const bool keptCodesInput =
      inputFormat && inputFormat->format == kFormatOutline && parsed->flags.count("keep-codes") > 0;
  if (!TakeOutputFontOptions(format->format, bitmapInput || keptCodesInput, *parsed, choice, error) ||
      !TakeFirmwareOptions(format->format, bitmapInput || keptCodesInput, *parsed, choice, error)) {
    return UsageError(err, "convert", error);
  }

  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenInputFile(input, *parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "convert", error);
  prompt.SetExportChoice(choice);
  ExportCommand exporter;
  const ExportOutcome outcome = exporter.Run(*doc, app.importRequest, prompt);
  return outcome == ExportOutcome::Written && prompt.MessageCount() == 0 ? kExitOk : kExitReported;
}

}  // namespace dotforge::cli
