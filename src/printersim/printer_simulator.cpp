#include "printersim/printer_simulator.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>

namespace dotforge::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kXon = 0x11;
constexpr std::uint8_t kXoff = 0x13;
constexpr std::uint8_t kNak = 0x15;

// The line is read as far as it holds: a pseudo-terminal refills its buffer only
// once nearly all of it has been read, so small reads would leave the line
// waiting on the refill. The bytes read are then taken in small pieces at the
// line's pace, so the line time is spent evenly rather than in bursts.
constexpr std::size_t kReadChunk = 65536;
constexpr std::size_t kPacedPiece = 64;
// A paced printer takes no more off the line at a time than a printer's
// receive buffer holds, so a sender cannot run far ahead of what it printed.
constexpr std::size_t kPacedRead = 1024;

struct NamedMisbehaviour {
  const char* name;
  Misbehaviour value;
};

constexpr NamedMisbehaviour kMisbehaviours[] = {
    {"none", Misbehaviour::None},         {"nak", Misbehaviour::Nak},
    {"silent", Misbehaviour::Silent},     {"garbage", Misbehaviour::Garbage},
    {"xonxoff", Misbehaviour::XonXoff},   {"xon-first", Misbehaviour::XonFirst},
    {"slow", Misbehaviour::Slow},         {"drop", Misbehaviour::DropLine},
    {"stall", Misbehaviour::Stall},
};

int BaudOf(speed_t speed) {
  switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 9600;
  }
}

}  // namespace

std::optional<Misbehaviour> MisbehaviourFromName(std::string_view name) {
  for (const auto& entry : kMisbehaviours) {
    if (name == entry.name) return entry.value;
  }
  return std::nullopt;
}

const char* MisbehaviourNames() { return "none, nak, silent, garbage, xonxoff, xon-first, slow, drop, stall"; }

PrinterSimulator::PrinterSimulator(SimulatorOptions options, Output output)
    : options_(std::move(options)), output_(std::move(output)), answers_(options_.misbehaviour),
      engine_(options_.memory) {}

PrinterSimulator::~PrinterSimulator() {
  Stop();
  Join();
  terminal_.Close();
  std::error_code ignored;
  if (std::filesystem::is_symlink(options_.link, ignored)) std::filesystem::remove(options_.link, ignored);
}

bool PrinterSimulator::Open(std::string& error) {
  if (!options_.record.empty()) {
    record_.open(options_.record, std::ios::binary | std::ios::trunc);
    if (!record_) {
      error = "cannot write " + options_.record.string();
      return false;
    }
  }
  return terminal_.Open(options_.link, error);
}

void PrinterSimulator::Start() {
  thread_ = std::thread([this] { Run(); });
}

void PrinterSimulator::Join() {
  if (thread_.joinable()) thread_.join();
}

double PrinterSimulator::BytesPerSecond() const {
  termios line{};
  int baud = options_.baudRate;
  int bits = 10;
  if (tcgetattr(terminal_.Master(), &line) == 0) {
    if (baud == 0) baud = BaudOf(cfgetospeed(&line));
    if (line.c_cflag & PARENB) ++bits;
    if (line.c_cflag & CSTOPB) ++bits;
  }
  return static_cast<double>(baud > 0 ? baud : 9600) / bits;
}

void PrinterSimulator::Run() {
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(options_.timeoutSeconds));
  Bytes buffer(kReadChunk);
  // The stretch of bytes the line is carrying; none while the line is idle.
  std::optional<LineStretch> stretch;
  while (Clock::now() < end && !stop_.Test()) {
    if (recover_.Test()) {
      DiscardUnread();
      stretch.reset();
      continue;
    }
    // A stalled printer does not look at the line at all.
    const std::size_t room = options_.paced ? kPacedRead : buffer.size();
    const ssize_t count = stalled_ ? 0 : read(terminal_.Master(), buffer.data(), room);
    if (count > 0) {
      const ByteView bytes(buffer.data(), static_cast<std::size_t>(count));
      if (!options_.paced) {
        Take(bytes);
        continue;
      }
      // Bytes waiting as soon as the last ones are taken keep the line busy: a
      // late wake-up of ours does not slow the line down.
      if (!stretch) stretch.emplace(Clock::now());
      TakeAtLinePace(bytes, *stretch);
      continue;
    }
    stretch.reset();
    if (count < 0 && errno != EAGAIN && errno != EINTR) {
      // The client has closed its side of the line: look again a little later.
      stop_.Wait(10);
      continue;
    }
    // Nothing waiting: the line is idle, and the next byte to come starts a new
    // stretch.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    pollfd fds[3] = {{stop_.Fd(), POLLIN, 0}, {recover_.Fd(), POLLIN, 0},
                     {stalled_ ? -1 : terminal_.Master(), POLLIN, 0}};
    const int ready = poll(fds, 3, static_cast<int>(std::clamp<long long>(left, 1, 200)));
    if (ready < 0 && errno != EINTR) break;
  }
}

void PrinterSimulator::TakeAtLinePace(ByteView bytes, LineStretch& stretch) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ByteView piece = bytes.subspan(done, std::min(kPacedPiece, bytes.size() - done));
    std::this_thread::sleep_until(stretch.Carry(piece.size(), BytesPerSecond()));
    // A printer that has stopped taking bytes (stalled, or its line went away)
    // leaves the rest of what was read.
    if (stop_.Test() || stalled_ || !Take(piece)) return;
    done += piece.size();
  }
}

bool PrinterSimulator::Take(ByteView bytes) {
  if (record_.is_open()) {
    record_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    record_.flush();
  }
  for (const std::uint8_t byte : bytes) {
    Bytes reply;
    std::vector<std::string> log;
    {
      const std::lock_guard lock(mutex_);
      received_.push_back(byte);
      engine_.Feed(byte, reply, log);
    }
    for (const std::string& line : log) {
      if (output_) output_(line);
    }
    if (!reply.empty()) Answer(std::move(reply));
    if (options_.misbehaviour == Misbehaviour::DropLine && !dropped_ && ++sinceConnect_ >= options_.dropAfterBytes) {
      DropLine();
      return false;
    }
    if (options_.misbehaviour == Misbehaviour::Stall && !dropped_ && ++sinceConnect_ >= options_.stallAfterBytes) {
      // Stalls once; the rest of this read is what the printer choked on.
      dropped_ = true;
      stalled_ = true;
      if (output_) output_("stalled");
      return false;
    }
  }
  return true;
}

void PrinterSimulator::Answer(Bytes reply) {
  switch (answers_.load()) {
    case Misbehaviour::Nak:
      reply = {kNak};
      break;
    case Misbehaviour::Silent:
      return;
    case Misbehaviour::Garbage:
      reply.insert(reply.begin(), {'?', '!'});
      break;
    case Misbehaviour::XonXoff:
      if (reply.size() > 1) reply.insert(reply.begin() + 1, {kXoff, kXon});
      break;
    case Misbehaviour::XonFirst:
      reply.insert(reply.begin(), kXon);
      break;
    case Misbehaviour::Slow:
      if (stop_.Wait(options_.slowMs)) return;
      break;
    default:
      break;
  }
  if (options_.paced) {
    std::this_thread::sleep_for(std::chrono::duration<double>(reply.size() / BytesPerSecond()));
  }
  WriteToLine(reply);
}

void PrinterSimulator::WriteToLine(ByteView bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(terminal_.Master(), bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR) return;
    pollfd fds[2] = {{stop_.Fd(), POLLIN, 0}, {terminal_.Master(), POLLOUT, 0}};
    if (poll(fds, 2, 100) > 0 && (fds[0].revents & POLLIN)) return;
  }
}

void PrinterSimulator::DropLine() {
  dropped_ = true;
  ++drops_;
  {
    const std::lock_guard lock(mutex_);
    engine_.AbandonCommand();
  }
  if (output_) output_("line dropped");
  std::string error;
  // The line comes back at the same place, as a replugged adapter would.
  if (!terminal_.Open(options_.link, error) && output_) output_(error);
}

void PrinterSimulator::Recover() {
  recovered_.Reset();
  recover_.Set();
  recovered_.Wait(1000);
}

void PrinterSimulator::DiscardUnread() {
  std::array<std::uint8_t, 4096> buffer{};
  while (read(terminal_.Master(), buffer.data(), buffer.size()) > 0) {
  }
  {
    const std::lock_guard lock(mutex_);
    engine_.AbandonCommand();
  }
  stalled_ = false;
  if (output_) output_("recovered");
  recovered_.Set();
}

Bytes PrinterSimulator::Received() const {
  const std::lock_guard lock(mutex_);
  return received_;
}

std::array<std::optional<StoredFont>, kSlots> PrinterSimulator::Slots() const {
  const std::lock_guard lock(mutex_);
  return engine_.Slots();
}

std::size_t PrinterSimulator::FreeMemory() const {
  const std::lock_guard lock(mutex_);
  return engine_.FreeMemory();
}

int PrinterSimulator::PrintedCount() const {
  const std::lock_guard lock(mutex_);
  return engine_.PrintedCount();
}

}  // namespace dotforge::sim

namespace dotforge::sim {

termios PrinterSimulator::LineSettings() const {
  termios line{};
  tcgetattr(terminal_.Master(), &line);
  return line;
}

}  // namespace dotforge::sim
