#include <string>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/input_file.h"

namespace dotforge::cli {
namespace {

constexpr const char* kDumpHelp =
    "usage: dotforge-cli dump FILE [options]\n"
    "\n"
    "Opens FILE as the import command would and prints a header line\n"
    "  font-type=T font-id=N width=W height=H count=C\n"
    "then one line per character in list order:\n"
    "  LABEL WxH HEX   (the record's own size and its packed bitmap)\n"
    "Messages go to stderr. Exit status: 0, 1 when reading reported a problem\n"
    "(what was read is still printed; nothing when no character was read), 2 for\n"
    "a usage error.\n"
    "\n"
    "options:\n";

void PrintHex(std::ostream& out, const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  out << text;
}

}  // namespace

int RunDump(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::string error;
  std::set<std::string> options = InputOptions();
  options.insert(KeepCodesOptions().begin(), KeepCodesOptions().end());
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, options, KeepCodesFlags(), error);
  if (!parsed) return UsageError(err, "dump", error);
  if (parsed->help) {
    out << kDumpHelp << InputOptionsHelp() << KeepCodesOptionsHelp();
    return kExitOk;
  }
  if (parsed->positional.size() != 1) return UsageError(err, "dump", "dump needs exactly one FILE");

  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenInputFile(parsed->positional[0], *parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "dump", error);
  // A problem before any character was read leaves nothing to print.
  if (prompt.MessageCount() > 0 && doc->characters.empty()) return kExitReported;

  out << "font-type=" << doc->fontType << " font-id=" << static_cast<int>(static_cast<unsigned char>(doc->fontId))
      << " width=" << doc->width << " height=" << doc->height << " count=" << doc->characterCount << '\n';
  for (const auto& record : doc->characters) {
    out << record->label << ' ' << record->width << 'x' << record->height << ' ';
    PrintHex(out, record->bitmap);
    out << '\n';
  }
  return prompt.MessageCount() > 0 ? kExitReported : kExitOk;
}

}  // namespace dotforge::cli
