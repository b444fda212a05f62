#include <string>

#include "cli/commands.h"
#include "cli/input_file.h"
#include "cli/printer_link.h"

namespace dotforge::cli {
namespace {

constexpr const char* kPrinterHelp =
    "usage: dotforge-cli printer COMMAND [arguments] [options]\n"
    "\n"
    "Talks to a receipt printer on a serial line or USB, as the editor's Download menu does.\n"
    "\n"
    "commands:\n"
    "  download FONTFILE        download the whole font set (progress on stderr)\n"
    "  print-char FONTFILE CODE download one character (CODE in hex) and print it\n"
    "  fonts                    list the five font slots of the printer\n"
    "  memory                   show the printer's free font memory\n"
    "  erase                    erase the fonts downloaded to the printer\n"
    "  ports                    list the serial ports: COM1..COM4 with their devices, then every\n"
    "                           serial device present, then the USB printers (usb:BUS-PORT);\n"
    "                           one line each, tab-separated: name or path, description,\n"
    "                           serial number\n"
    "\n"
    "The font name sent with a download is FONTFILE's name up to its first '.'.\n"
    "Failures are reported with the printer dialogs' messages on stderr.\n"
    "Exit status: 0, 1 when the command failed or a message was shown, 2 for a usage error,\n"
    "130 when Ctrl-C cancelled a download (the first Ctrl-C ends the printer command in\n"
    "progress with blank cells, the second stops at once).\n"
    "\n"
    "options:\n";

struct Subcommand {
  const char* name;
  std::size_t files;  // positional arguments after the command's name
  bool readsFont;
  int (*run)(const ParsedArguments&, std::ostream&, std::ostream&);
};

constexpr Subcommand kSubcommands[] = {
    {"download", 1, true, RunPrinterDownload}, {"print-char", 2, true, RunPrinterPrintChar},
    {"fonts", 0, false, RunPrinterFonts},      {"memory", 0, false, RunPrinterMemory},
    {"erase", 0, false, RunPrinterErase},      {"ports", 0, false, RunPrinterPorts},
};

}  // namespace

int RunPrinter(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = LinkOptions();
  options.insert(InputOptions().begin(), InputOptions().end());
  std::string error;
  std::optional<ParsedArguments> parsed = ParseArguments(arguments, options, LinkFlags(), error);
  if (!parsed) return UsageError(err, "printer", error);
  if (parsed->help || parsed->positional.empty()) {
    if (!parsed->help) return UsageError(err, "printer", "printer needs a COMMAND");
    out << kPrinterHelp << LinkOptionsHelp() << "options of download and print-char:\n" << InputOptionsHelp();
    return kExitOk;
  }
  const std::string name = parsed->positional.front();
  parsed->positional.erase(parsed->positional.begin());
  for (const Subcommand& subcommand : kSubcommands) {
    if (name != subcommand.name) continue;
    if (parsed->positional.size() != subcommand.files) {
      return UsageError(err, "printer", "wrong number of arguments for printer " + name);
    }
    return subcommand.run(*parsed, out, err);
  }
  return UsageError(err, "printer", "unknown printer command '" + name + "'");
}

}  // namespace dotforge::cli
