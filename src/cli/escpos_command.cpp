#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/escpos_options.h"
#include "cli/interrupt_cancel.h"
#include "cli/input_file.h"
#include "escpos/escpos_messages.h"
#include "escpos/send/escpos_sender.h"
#include "escpos/streams/picture_stream.h"
#include "model/file_access.h"

namespace dotforge::cli {
namespace {

constexpr const char* kEscPosHelp =
    "usage: dotforge-cli escpos send FONTFILE (--port DEV [--baud N --parity P --flow F] |\n"
    "                                          --host HOST[:PORT] | --device PATH)\n"
    "                                          [--font a|b] [--text TEXT] [--encoding NAME]\n"
    "       dotforge-cli escpos stream FONTFILE -o OUT.BIN [--font a|b] [--text TEXT] [--encoding NAME]\n"
    "       dotforge-cli escpos print FONTFILE (--text TEXT [--encoding NAME] | --table [--codes LIST])\n"
    "                                          [--zoom N] [--paper-dots D] [--image raster|column] [--cut]\n"
    "                                          (connection as for send | -o OUT.BIN)\n"
    "\n"
    "Defines the font set's characters 0x20..0x7E as the user-defined characters of any\n"
    "ESC/POS receipt printer (ESC M, ESC &, ESC %) and, with --text, prints a line with them.\n"
    "Or prints any text, or the whole character table, as pictures on any ESC/POS printer.\n"
    "\n"
    "commands:\n"
    "  send FONTFILE    send the stream to a printer (progress on stderr after a second;\n"
    "                   Ctrl-C cancels: the command in progress is completed with blank\n"
    "                   dots, so the printer takes the next send as it should)\n"
    "  stream FONTFILE  write the stream to a file instead\n"
    "  print FONTFILE   print --text (each line the preview's picture of it, wrapped at the\n"
    "                   paper's edge) or --table (rows of cells, each after a line with its\n"
    "                   first code) as pictures; sends like send, or writes -o OUT.BIN\n"
    "\n"
    "options:\n"
    "  --host HOST[:PORT] a network printer's raw TCP port (default port 9100; an IPv6\n"
    "                     address as [ADDRESS]:PORT); 3 s to connect\n"
    "  --device PATH      a USB printer device of the kernel's printer driver (/dev/usb/lp0);\n"
    "                     a character device or a named pipe, never a regular file\n"
    "  --font a|b         printer font A (cells up to 12 x 24 dots) or B (up to 9 x 17);\n"
    "                     default: B when the cell fits it, else A\n"
    "  --text TEXT        a sample line printed with the characters just defined; for print\n"
    "                     the text, with the escapes of preview (\\n, \\xHH, \\xHHHH)\n"
    "  --encoding NAME    the printer's code page: how --text becomes bytes, as iconv names\n"
    "                     it (default CP437); the font file's codes are taken as they are;\n"
    "                     for print the text's encoding as for preview (default: CP437, or\n"
    "                     UTF-16 for double-byte sets)\n"
    "  -o, --output OUT   the file 'stream' or 'print' writes\n"
    "print options:\n"
    "  --table            the character table instead of a text\n"
    "  --codes LIST       only these hexadecimal codes and ranges of the table, e.g. 20-7E\n"
    "  --zoom N           printer dots per font dot, 1..8 (default 1)\n"
    "  --paper-dots D     the paper's width in dots (default 576, 80 mm; 384 for 58 mm)\n"
    "  --image MODE       raster (GS v 0, the default) or column (ESC *, for printers\n"
    "                     without GS v 0)\n"
    "  --cut              cut the paper after the last feed\n"
    "serial line options of send and print:\n"
    "  --port PORT        COM1..COM4 or a serial device path as 'printer ports' lists it\n"
    "  --baud N           115200, 57600, 38400, 19200, 9600, 4800, 2400 or 1200\n"
    "  --parity P         none, odd or even\n"
    "  --flow F           none, hardware (RTS/CTS) or xonxoff\n"
    "Line settings not given come from the stored settings of the printer link.\n"
    "\n"
    "Characters with dots outside 0x20..0x7E are left out with a notice. Every send and stream\n"
    "starts with NUL bytes and ESC @, which end what a cut-off send left unfinished and reset\n"
    "the printer; a print starts with ESC @ alone (Ctrl-C completes the picture in progress\n"
    "with white dots). Exit status: 0 when the stream was written or sent, 1 when that\n"
    "failed or was cancelled, 2 for a usage error.\n";

constexpr int kProgressBarWidth = 30;
// Progress is drawn once a send has taken this long.
constexpr auto kQuietTime = std::chrono::seconds(1);

// On a terminal the bar is drawn again in place as the send goes on; elsewhere
// (a file, a pipe) it is written once, where the send ended.
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, bool terminal)
      : err_(err), terminal_(terminal), start_(std::chrono::steady_clock::now()) {}
  ~ProgressBar() {
    if (!shown_) return;
    if (!terminal_) Draw();
    err_ << '\n';
  }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Show(std::size_t sent, std::size_t total) {
    percent_ = total == 0 ? 100 : static_cast<int>(sent * 100 / total);
    if (!shown_ && std::chrono::steady_clock::now() - start_ < kQuietTime) return;
    shown_ = true;
    if (!terminal_) return;
    err_ << '\r';
    Draw();
    err_ << std::flush;
  }

 private:
  void Draw() {
    const int filled = std::clamp(percent_, 0, 100) * kProgressBarWidth / 100;
    err_ << '[' << std::string(filled, '#') << std::string(kProgressBarWidth - filled, ' ') << "] " << percent_
         << " %";
  }

  std::ostream& err_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_;
  bool shown_ = false;
  int percent_ = 0;
};

bool IsTerminal(const std::ostream& err) { return &err == &std::cerr && isatty(STDERR_FILENO) == 1; }

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// `fileHint`: the message for a device path that names a regular file.
int Send(const EscPosTarget& target, const CommandStream& stream, const char* fileHint, std::ostream& err) {
  if (target.kind == EscPosLinkKind::Device && IsRegularFile(target.path)) {
    err << "dotforge-cli: " << msg::FormatMessage(fileHint, {target.path}) << '\n';
    return kExitReported;
  }
  Event cancel(ResetMode::Manual);
  const InterruptCancel interrupt(cancel);
  EscPosSendResult result;
  {
    ProgressBar bar(err, IsTerminal(err));
    result = SendEscPos(target, stream, cancel, [&](std::size_t sent, std::size_t total) { bar.Show(sent, total); });
  }
  if (result.status == EscPosSendResult::Status::Sent) return kExitOk;
  err << "dotforge-cli: " << result.message << '\n';
  return kExitReported;
}

// The input options' help without --encoding, which is the text's code page
// here and never re-encodes the font file.
std::string FontFileOptionsHelp() {
  std::istringstream lines(InputOptionsHelp());
  std::string help;
  std::string line;
  bool encodingEntry = false;
  while (std::getline(lines, line)) {
    if (line.rfind("  --encoding", 0) == 0 || (encodingEntry && line.rfind("    ", 0) == 0)) {
      encodingEntry = true;
      continue;
    }
    encodingEntry = false;
    if (const auto mention = line.find("(after --encoding); "); mention != std::string::npos) {
      line.erase(mention, std::string("(after --encoding); ").size());
    }
    help += line + '\n';
  }
  return help;
}

// escpos print: a connection, or -o OUT.BIN.
int RunPrint(const ParsedArguments& parsed, std::ostream& err) {
  std::string error;
  const std::optional<EscPosPrintChoice> choice = EscPosPrintChoiceFrom(parsed, error);
  if (!choice) return UsageError(err, "escpos", error);
  const bool toFile = parsed.options.count("output") > 0;
  std::optional<EscPosTarget> target;
  if (toFile) {
    for (const std::string& name : EscPosConnectionOptions()) {
      if (parsed.options.count(name)) return UsageError(err, "escpos", "-o and --" + name + " exclude each other");
    }
    if (parsed.options.at("output").empty()) return UsageError(err, "escpos", "-o needs a file name");
  } else {
    target = EscPosTargetFrom(parsed, error);
    if (!target) return UsageError(err, "escpos", error + " (or -o OUT.BIN)");
  }
  CliPrompt prompt(err);
  AppValues app;
  // --codes and --encoding belong to the table and the text here, not to the font file.
  ParsedArguments fontArguments = parsed;
  fontArguments.options.erase("codes");
  const auto doc = OpenFontForText(fontArguments, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "escpos", error);
  if (prompt.MessageCount() > 0) return kExitReported;
  const std::optional<std::vector<ReceiptLine>> lines = EscPosPrintLines(*doc, *choice, error);
  if (!lines) {
    err << "dotforge-cli: " << error << '\n';
    return kExitReported;
  }
  const CommandStream stream = BuildPictureStream(*lines, choice->stream);
  if (target) return Send(*target, stream, msg::kEscPosRegularFilePrintOutput, err);
  return SaveFontFile(parsed.options.at("output"), stream.bytes, prompt) ? kExitOk : kExitReported;
}

int Run(const std::string& command, const ParsedArguments& parsed, std::ostream& err) {
  if (command == "print") return RunPrint(parsed, err);
  const bool send = command == "send";
  std::string error;
  for (const std::string& name : EscPosPrintOptionNames()) {
    if (parsed.options.count(name)) return UsageError(err, "escpos", "--" + name + " belongs to escpos print");
  }
  for (const std::string& name : EscPosPrintFlagNames()) {
    if (parsed.flags.count(name)) return UsageError(err, "escpos", "--" + name + " belongs to escpos print");
  }
  std::optional<EscPosTarget> target;
  if (send) {
    if (parsed.options.count("output")) return UsageError(err, "escpos", "-o belongs to escpos stream");
    target = EscPosTargetFrom(parsed, error);
    if (!target) return UsageError(err, "escpos", error);
  } else {
    for (const std::string& name : EscPosConnectionOptions()) {
      if (parsed.options.count(name)) return UsageError(err, "escpos", "--" + name + " belongs to escpos send");
    }
    if (!parsed.options.count("output") || parsed.options.at("output").empty()) {
      return UsageError(err, "escpos", "escpos stream needs -o OUT.BIN");
    }
  }
  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenFontForText(parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "escpos", error);
  if (prompt.MessageCount() > 0) return kExitReported;
  const std::optional<EscPosStreamOptions> options = EscPosStreamOptionsFrom(parsed, *doc, error);
  if (!options) return UsageError(err, "escpos", error);
  const std::optional<EscPosStream> stream = BuildEscPosStream(*doc, *options, prompt);
  if (!stream) return kExitReported;
  if (stream->skipped > 0) prompt.ShowMessage(msg::FormatMessage(msg::kEscPosSkipped, {std::to_string(stream->skipped)}));
  if (send) return Send(*target, *stream, msg::kEscPosRegularFileUseStream, err);
  return SaveFontFile(parsed.options.at("output"), stream->bytes, prompt) ? kExitOk : kExitReported;
}

}  // namespace

int RunEscPos(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = EscPosConnectionOptions();
  options.insert(EscPosStreamOptionNames().begin(), EscPosStreamOptionNames().end());
  options.insert(InputOptions().begin(), InputOptions().end());
  options.insert(EscPosPrintOptionNames().begin(), EscPosPrintOptionNames().end());
  options.insert("output");
  std::string error;
  std::optional<ParsedArguments> parsed =
      ParseArguments(WithLongOutput(arguments), options, EscPosPrintFlagNames(), error);
  if (!parsed) return UsageError(err, "escpos", error);
  if (parsed->help) {
    out << kEscPosHelp << "\nfont file options:\n" << FontFileOptionsHelp();
    return kExitOk;
  }
  if (parsed->positional.empty()) return UsageError(err, "escpos", "escpos needs send, stream or print");
  const std::string command = parsed->positional.front();
  if (command != "send" && command != "stream" && command != "print") {
    return UsageError(err, "escpos", "unknown escpos command '" + command + "'");
  }
  parsed->positional.erase(parsed->positional.begin());
  if (parsed->positional.size() != 1) return UsageError(err, "escpos", "escpos " + command + " needs one FONTFILE");
  return Run(command, *parsed, err);
}

}  // namespace dotforge::cli
