#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/interrupt_cancel.h"
#include "escpos/escpos_messages.h"
#include "escpos/send/escpos_output.h"
#include "escpos/sim/escpos_printer.h"
#include "escpos/sim/receipt_image.h"
#include "platform/file_io.h"
#include "printersim/pseudo_terminal.h"

namespace dotforge::cli {
namespace {

constexpr const char* kEscPosSimHelp =
    "usage: dotforge-cli escpos-sim (--listen PORT | --link PATH) [--png OUT.png] [--timeout S]\n"
    "\n"
    "A virtual ESC/POS receipt printer for user-defined characters and pictures: it keeps the\n"
    "characters ESC & defines per printer font, knows ESC @ (clears them), ESC !, ESC M, ESC %,\n"
    "ESC ?, the pictures GS v 0 and ESC *, ESC 3, ESC 2, ESC d, GS V, CR, LF and NUL (ignored),\n"
    "and prints every line as text art on stdout: user-defined characters where defined and\n"
    "selected, the outline of the cell otherwise, pictures as sent. Every byte it cannot place\n"
    "is reported on stderr as a fault with its offset in the input. At the end the receipt\n"
    "(576 dots wide, 80 mm at 203 dpi) goes to --png.\n"
    "\n"
    "options:\n"
    "  --listen PORT      take connections on 127.0.0.1:PORT, one after the other, as a\n"
    "                     network printer's raw port does\n"
    "  --link PATH        a pseudo-terminal with PATH linked to it, as a serial printer\n"
    "  --png OUT.png      the receipt as a picture\n"
    "  --timeout S        stop after S seconds (default 600); Ctrl-C stops too\n"
    "\n"
    "Exit status: 0, or 1 when a fault was reported or the picture could not be written.\n";

constexpr int kDefaultTimeoutS = 600;
constexpr int kLongestTimeoutS = 86400;

// Where the bytes come from: a listening socket with its current connection,
// or the master side of a pseudo-terminal.
class Input {
 public:
  ~Input() {
    if (client_ >= 0) close(client_);
  }
  bool Listen(int port, std::string& error) {
    listener_ = UniqueFd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int yes = 1;
    setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (!listener_.Valid() || bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_.Get(), 4) != 0) {
      error = msg::FormatMessage(msg::kEscPosSimCannotListen, {"127.0.0.1:" + std::to_string(port), std::strerror(errno)});
      return false;
    }
    return true;
  }
  bool Link(const std::string& path, std::string& error) { return terminal_.Open(path, error); }

  // Waits for bytes, a connection or `stop`; false once stopped or out of time.
  bool Wait(Event& stop, const Deadline& deadline, Bytes& received) {
    received.clear();
    pollfd watched[2] = {{stop.Fd(), POLLIN, 0}, {Source(), POLLIN, 0}};
    const int ready = poll(watched, 2, deadline.RemainingMs());
    if (ready < 0) return errno == EINTR;
    if (ready == 0 || watched[0].revents) return false;
    if (listener_.Valid() && client_ < 0) {
      client_ = accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC);
      return true;
    }
    std::uint8_t buffer[4096];
    const ssize_t count = read(Source(), buffer, sizeof buffer);
    if (count > 0) {
      received.assign(buffer, buffer + count);
    } else if (client_ >= 0 && (count == 0 || (errno != EAGAIN && errno != EINTR))) {
      close(client_);  // the sender is done; wait for the next one
      client_ = -1;
    }
    return true;
  }

 private:
  int Source() const { return listener_.Valid() ? (client_ >= 0 ? client_ : listener_.Get()) : terminal_.Master(); }

  UniqueFd listener_;
  int client_ = -1;
  sim::PseudoTerminal terminal_;
};

int Simulate(const ParsedArguments& parsed, int timeoutS, std::ostream& out, std::ostream& err) {
  Input input;
  std::string error;
  const bool opened = parsed.options.count("listen")
                          ? input.Listen(std::stoi(parsed.options.at("listen")), error)
                          : input.Link(parsed.options.at("link"), error);
  if (!opened) {
    err << "dotforge-cli: " << error << '\n';
    return kExitReported;
  }
  EscPosPrinter printer([&](const PrintedLine& line) { out << LineArt(line) << '\n' << std::flush; },
                        [&](const std::string& report) { err << "escpos-sim: " << report << '\n'; });
  Event stop(ResetMode::Manual);
  const InterruptCancel interrupt(stop);
  const Deadline deadline(timeoutS * 1000);
  Bytes received;
  while (input.Wait(stop, deadline, received)) printer.Feed(received);
  printer.Finish();
  const int status = printer.Faults() == 0 ? kExitOk : kExitReported;
  if (!parsed.options.count("png")) return status;
  Bytes png;
  const std::string& path = parsed.options.at("png");
  if (!EncodePng(RenderReceipt(printer.Lines()), png) || WriteFileAtomically(path, png) != WriteStatus::Ok) {
    err << "dotforge-cli: " << msg::FormatMessage(msg::kEscPosSimPngFailed, {path}) << '\n';
    return kExitReported;
  }
  return status;
}

}  // namespace

int RunEscPosSim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {"listen", "link", "png", "timeout"}, error);
  if (!parsed) return UsageError(err, "escpos-sim", error);
  if (parsed->help) {
    out << kEscPosSimHelp;
    return kExitOk;
  }
  if (!parsed->positional.empty()) return UsageError(err, "escpos-sim", "escpos-sim takes no file");
  if (parsed->options.count("listen") + parsed->options.count("link") != 1) {
    return UsageError(err, "escpos-sim", "escpos-sim needs one of --listen PORT or --link PATH");
  }
  if (parsed->options.count("listen") && !IntegerOption(*parsed, "listen", 1, 65535, error)) {
    return UsageError(err, "escpos-sim", error);
  }
  int timeoutS = kDefaultTimeoutS;
  if (parsed->options.count("timeout")) {
    const std::optional<int> value = IntegerOption(*parsed, "timeout", 1, kLongestTimeoutS, error);
    if (!value) return UsageError(err, "escpos-sim", error);
    timeoutS = *value;
  }
  return Simulate(*parsed, timeoutS, out, err);
}

}  // namespace dotforge::cli
