#include "cli/printer_link.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/interrupt_cancel.h"
#include "comm/comm_context.h"
#include "comm/stored_settings.h"
#include "platform/platform_kind.h"
#include "platform/settings_store.h"
#include "usb/usb_backend.h"

namespace dotforge::cli {
namespace {

constexpr int kProgressBarWidth = 30;

void DrawProgress(std::ostream& err, int percent) {
  const int filled = std::clamp(percent, 0, 100) * kProgressBarWidth / 100;
  err << "\r[" << std::string(filled, '#') << std::string(kProgressBarWidth - filled, ' ') << "] " << percent << " %"
      << std::flush;
}

template <std::size_t N>
std::optional<int> IndexOfName(const std::array<const char*, N>& names, std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t i = 0; i < N; ++i) {
    std::string name = names[i];
    std::erase(name, '/');
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == text) return static_cast<int>(i);
  }
  return std::nullopt;
}

// A port name in any letter case picks that name; anything else is a device path.
void ChoosePort(CommSettings& settings, const std::string& port) {
  if (const std::optional<int> index = IndexOfName(kPortNames, port)) {
    settings.serialPort = *index;
    settings.serialDevice.clear();
  } else {
    settings.serialDevice = port;
  }
}

}  // namespace

const std::set<std::string>& LinkOptions() {
  static const std::set<std::string> options{"port", "baud", "parity", "flow"};
  return options;
}

const std::set<std::string>& LinkFlags() {
  static const std::set<std::string> flags{"usb"};
  return flags;
}

const char* LinkOptionsHelp() {
  return "  --port PORT        COM1..COM4 or a serial device path as 'printer ports' lists it\n"
         "                     (default: the stored choice; COM1 stands for /dev/ttyS0)\n"
         "  --baud N           115200, 57600, 38400, 19200, 9600, 4800, 2400 or 1200\n"
         "  --parity P         none, odd or even\n"
         "  --flow F           none, hardware (RTS/CTS) or xonxoff\n"
         "  --usb              use the first USB printer instead of a serial line: a device\n"
         "                     with a printer-class interface, or one whose VID:PID is listed\n"
         "                     in the settings value \"USB Printer Ids\" (e.g. 04B8:0E15)\n"
         "Options not given come from the stored settings (DOTFORGE_SETTINGS_FILE, else\n"
         "$XDG_CONFIG_HOME/dotforge/settings.conf).\n";
}

std::optional<CommSettings> LinkSettings(const ParsedArguments& parsed, std::string& error) {
  SettingsStore store(SettingsStore::DefaultPath());
  CommSettings settings = LoadStoredSettings(store).comm;
  settings.interfaceType = kInterfaceSerial;
  if (parsed.flags.count("usb")) {
    if (parsed.options.count("port")) {
      error = "--usb and --port exclude each other";
      return std::nullopt;
    }
    if (!usb::UsbOffered(CurrentPlatformKind())) {
      error = "--usb: USB is not available here (the USB library could not be initialised)";
      return std::nullopt;
    }
    settings.interfaceType = kInterfaceUsb;
  }
  if (parsed.options.count("port")) ChoosePort(settings, parsed.options.at("port"));
  if (parsed.options.count("baud")) {
    const std::optional<int> baud = IntegerOption(parsed, "baud", 1, 1000000, error);
    const std::int32_t index = baud ? BaudRateIndex(*baud) : -1;
    if (index < 0) {
      error = "--baud must be one of 115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200";
      return std::nullopt;
    }
    settings.baudRate = index;
  }
  if (parsed.options.count("parity")) {
    const std::optional<int> parity = IndexOfName(kParityNames, parsed.options.at("parity"));
    if (!parity) {
      error = "--parity must be none, odd or even";
      return std::nullopt;
    }
    settings.parity = *parity;
  }
  if (parsed.options.count("flow")) {
    const std::optional<int> flow = IndexOfName(kFlowControlNames, parsed.options.at("flow"));
    if (!flow) {
      error = "--flow must be none, hardware or xonxoff";
      return std::nullopt;
    }
    settings.flowControl = *flow;
  }
  return settings;
}

WorkerOutcome RunPrinterCommand(const CommSettings& settings, const CommandStarter& start, std::ostream& err,
                                bool showProgress, bool cancellable) {
  WorkerOutcome outcome;
  CliPrompt prompt(err);
  CCommContext comm(settings, prompt, CurrentPlatformKind());
  CPrinterCommands commands(comm, prompt);
  const std::shared_ptr<WorkerSink> sink = start(commands);
  outcome.started = sink != nullptr;
  std::optional<InterruptCancel> interrupt;
  if (sink && cancellable) interrupt.emplace(sink->CancelRequested(), sink->StopRequested());
  bool drawn = false;
  while (sink) {
    sink->WaitForUpdate(std::chrono::milliseconds(200));
    WorkerSink::Update update = sink->Drain();
    if (!update.progress.empty()) outcome.progress = update.progress.back();
    if (showProgress && !update.progress.empty()) {
      DrawProgress(err, update.progress.back());
      drawn = true;
    }
    for (auto& [id, text] : update.fields) outcome.fields[id] = std::move(text);
    if (!update.messages.empty() && drawn) {
      err << '\n';
      drawn = false;
    }
    for (const std::string& message : update.messages) prompt.ShowMessage(message);
    outcome.okEnabled = update.okEnabled;
    if (update.finished) break;
  }
  if (drawn) err << '\n';
  outcome.interrupted = interrupt && interrupt->Interrupts() > 0;
  commands.Shutdown();
  outcome.messages = prompt.MessageCount();
  return outcome;
}

int PrinterExitStatus(const WorkerOutcome& outcome) {
  if (outcome.interrupted) return kExitInterrupted;
  return outcome.started && outcome.messages == 0 ? kExitOk : kExitReported;
}

}  // namespace dotforge::cli
