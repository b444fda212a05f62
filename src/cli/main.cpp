#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

constexpr const char* kHelp =
    "usage: dotforge-cli COMMAND [arguments]\n"
    "\n"
    "Printer font sets from the command line, on the same core as the Dotforge editor.\n"
    "\n"
    "commands:\n"
    "  dump FILE       print a font set's properties and every character's bitmap\n"
    "  convert IN OUT  read a font set in one format and write it in another\n"
    "  faces FONTFILE  list the faces and character maps of an outline font file\n"
    "  printer CMD     download, print-char, fonts, memory, erase on a printer; ports lists serial ports\n"
    "  printer-sim     run a virtual printer on a pseudo-terminal\n"
    "  escpos CMD      send a font set's characters to any ESC/POS printer (serial, network,\n"
    "                  USB printer device) as user-defined characters, or write that stream\n"
    "  escpos-sim      run a virtual ESC/POS printer on a TCP port or a pseudo-terminal\n"
    "  preview FILE    draw a text with a font set's characters as a PNG picture\n"
    "\n"
    "Run 'dotforge-cli COMMAND --help' for the options of a command,\n"
    "'dotforge-cli --version' for the version.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace dotforge::cli;
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    (words.empty() ? std::cerr : std::cout) << kHelp;
    return words.empty() ? kExitUsage : kExitOk;
  }
  if (words[0] == "--version" || words[0] == "-v") {
    std::cout << "dotforge-cli (Dotforge) " << DOTFORGE_VERSION << '\n';
    return kExitOk;
  }
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (words[0] == "dump") return RunDump(rest, std::cout, std::cerr);
  if (words[0] == "convert") return RunConvert(rest, std::cout, std::cerr);
  if (words[0] == "faces") return RunFaces(rest, std::cout, std::cerr);
  if (words[0] == "printer") return RunPrinter(rest, std::cout, std::cerr);
  if (words[0] == "printer-sim") return RunPrinterSim(rest, std::cout, std::cerr);
  if (words[0] == "escpos") return RunEscPos(rest, std::cout, std::cerr);
  if (words[0] == "escpos-sim") return RunEscPosSim(rest, std::cout, std::cerr);
  if (words[0] == "preview") return RunPreview(rest, std::cout, std::cerr);
  std::cerr << "dotforge-cli: unknown command '" << words[0] << "'\n" << kHelp;
  return kExitUsage;
}
