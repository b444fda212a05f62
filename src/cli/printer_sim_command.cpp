#include <csignal>
#include <iostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "printersim/printer_simulator.h"

namespace dotforge::cli {
namespace {

constexpr const char* kPrinterSimHelp =
    "usage: dotforge-cli printer-sim --link PATH [options]\n"
    "\n"
    "Runs a virtual receipt printer on a pseudo-terminal and points PATH at it, so\n"
    "that 'dotforge-cli printer ... --port PATH' (or the editor) can talk to it. It\n"
    "keeps downloaded fonts in its five slots, answers font information, free memory\n"
    "and erase, prints a downloaded character as text art on stdout, and reads at\n"
    "the baud rate the line is set to. It stops after --timeout seconds, or on\n"
    "Ctrl-C, and removes PATH.\n"
    "\n"
    "options:\n"
    "  --link PATH          where to put the link to the pseudo-terminal (required)\n"
    "  --baud N             pace at N baud instead of the line's own rate\n"
    "  --unpaced            read as fast as bytes come\n"
    "  --memory BYTES       font memory (default 1048576)\n"
    "  --misbehave WHAT     none, nak, silent, garbage, xonxoff, xon-first, slow, drop, stall\n"
    "  --slow-ms N          delay of each answer for 'slow' (default 2500)\n"
    "  --drop-after N       bytes received before the line drops for 'drop' (default 1024)\n"
    "  --stall-after N      bytes received before the printer stops reading for 'stall'\n"
    "                       (default 1024); it stays stuck until the simulator stops\n"
    "  --record FILE        keep every byte received in FILE\n"
    "  --timeout SECONDS    stop after this long (default 600)\n";

sim::PrinterSimulator* running = nullptr;

void StopOnSignal(int) {
  if (running) running->Stop();
}

}  // namespace

int RunPrinterSim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words;
  bool unpaced = false;
  for (const std::string& word : arguments) {
    if (word == "--unpaced") {
      unpaced = true;
    } else {
      words.push_back(word);
    }
  }
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(
      words, {"link", "baud", "memory", "misbehave", "slow-ms", "drop-after", "stall-after", "record", "timeout"}, error);
  if (!parsed) return UsageError(err, "printer-sim", error);
  if (parsed->help) {
    out << kPrinterSimHelp;
    return kExitOk;
  }
  if (!parsed->positional.empty()) return UsageError(err, "printer-sim", "printer-sim takes no file arguments");
  if (!parsed->options.count("link")) return UsageError(err, "printer-sim", "printer-sim needs --link PATH");

  sim::SimulatorOptions options;
  options.link = parsed->options.at("link");
  options.paced = !unpaced;
  options.timeoutSeconds = 600;
  const std::pair<const char*, int*> integers[] = {{"baud", &options.baudRate}, {"slow-ms", &options.slowMs}};
  for (const auto& [name, target] : integers) {
    if (!parsed->options.count(name)) continue;
    const std::optional<int> value = IntegerOption(*parsed, name, 1, 10000000, error);
    if (!value) return UsageError(err, "printer-sim", error);
    *target = *value;
  }
  const std::pair<const char*, std::size_t*> sizes[] = {{"memory", &options.memory},
                                                        {"drop-after", &options.dropAfterBytes},
                                                        {"stall-after", &options.stallAfterBytes}};
  for (const auto& [name, target] : sizes) {
    if (!parsed->options.count(name)) continue;
    const std::optional<int> value = IntegerOption(*parsed, name, 1, 2000000000, error);
    if (!value) return UsageError(err, "printer-sim", error);
    *target = static_cast<std::size_t>(*value);
  }
  if (parsed->options.count("timeout")) {
    const std::optional<int> value = IntegerOption(*parsed, "timeout", 1, 86400, error);
    if (!value) return UsageError(err, "printer-sim", error);
    options.timeoutSeconds = *value;
  }
  if (parsed->options.count("misbehave")) {
    const auto misbehaviour = sim::MisbehaviourFromName(parsed->options.at("misbehave"));
    if (!misbehaviour) {
      return UsageError(err, "printer-sim", std::string("--misbehave must be one of ") + sim::MisbehaviourNames());
    }
    options.misbehaviour = *misbehaviour;
  }
  if (parsed->options.count("record")) options.record = parsed->options.at("record");

  sim::PrinterSimulator simulator(options, [&out](std::string_view line) { out << line << std::endl; });
  if (!simulator.Open(error)) {
    err << "dotforge-cli printer-sim: " << error << '\n';
    return kExitReported;
  }
  out << "printer-sim: " << options.link.string() << " -> " << simulator.SlavePath() << std::endl;
  running = &simulator;
  std::signal(SIGINT, StopOnSignal);
  std::signal(SIGTERM, StopOnSignal);
  simulator.Run();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  running = nullptr;
  out << "printer-sim: stopped" << std::endl;
  return kExitOk;
}

}  // namespace dotforge::cli
