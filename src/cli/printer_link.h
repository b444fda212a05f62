#pragma once
// What the printer commands of dotforge-cli share: the line options, a session
// with the communication context, and draining a worker's reports until it ends.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "comm/comm_settings.h"
#include "printer/printer_commands.h"
#include "printer/worker_sink.h"

namespace dotforge::cli {

// --port COMn|DEVICE, --baud N, --parity none|odd|even, --flow none|hardware|xonxoff
const std::set<std::string>& LinkOptions();
// --usb
const std::set<std::string>& LinkFlags();
const char* LinkOptionsHelp();

// The stored settings (see DOTFORGE_SETTINGS_FILE) with the options applied;
// nothing, with the reason in `error`, for a bad option value.
std::optional<CommSettings> LinkSettings(const ParsedArguments& parsed, std::string& error);

struct WorkerOutcome {
  bool started = false;
  int messages = 0;
  bool okEnabled = false;
  int progress = 0;                   // the last progress reported
  std::map<int, std::string> fields;  // the last text of each control
  bool interrupted = false;           // Ctrl-C was pressed
};

using CommandStarter = std::function<std::shared_ptr<WorkerSink>(CPrinterCommands&)>;

// Opens the link with `settings`, starts the command and waits for its worker:
// messages go to `err`, and with `showProgress` a progress bar too. With
// `cancellable`, Ctrl-C is the worker's cancel request while it runs (the
// first lets it finish the printer command in progress, the second stops it).
// The port is closed again before this returns.
WorkerOutcome RunPrinterCommand(const CommSettings& settings, const CommandStarter& start, std::ostream& err,
                                bool showProgress, bool cancellable = false);

// Exit status of a printer command: 0 when it started and showed no message,
// 130 when Ctrl-C cancelled it.
int PrinterExitStatus(const WorkerOutcome& outcome);

int RunPrinterDownload(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);
int RunPrinterPrintChar(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);
int RunPrinterFonts(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);
int RunPrinterMemory(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);
int RunPrinterErase(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);
int RunPrinterPorts(const ParsedArguments& parsed, std::ostream& out, std::ostream& err);

}  // namespace dotforge::cli
