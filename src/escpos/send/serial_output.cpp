#include "escpos/send/serial_output.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "comm/comm_settings.h"
#include "comm/line_meter.h"
#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

// A tenth of a second of line time may wait ahead of the line.
constexpr double kWindowSeconds = 0.1;
constexpr std::size_t kSmallestWindow = 16;

class SerialOutput : public EscPosOutput {
 public:
  SerialOutput(UniqueFd fd, std::string path, const termios& original, double bytesPerSecond)
      : fd_(std::move(fd)), path_(std::move(path)), original_(original), bytesPerSecond_(bytesPerSecond) {
    meter_.SetLine(fd_.Get(), bytesPerSecond);
  }
  ~SerialOutput() override { tcsetattr(fd_.Get(), TCSANOW, &original_); }

  int Fd() const override { return fd_.Get(); }
  ssize_t Write(ByteView bytes) override {
    const ssize_t written = write(fd_.Get(), bytes.data(), bytes.size());
    if (written > 0) meter_.Handed(static_cast<std::size_t>(written));
    return written;
  }
  std::size_t Backlog() const override { return meter_.Backlog(); }
  std::size_t Window() const override {
    return std::max(kSmallestWindow, static_cast<std::size_t>(bytesPerSecond_ * kWindowSeconds));
  }
  void Discard() override { tcflush(fd_.Get(), TCOFLUSH); }
  std::string StalledMessage() const override { return msg::FormatMessage(msg::kEscPosPortStalled, {path_}); }
  std::string WriteFailedMessage(int error) const override {
    return msg::FormatMessage(msg::kEscPosPortWriteFailed, {path_, std::strerror(error)});
  }

 private:
  UniqueFd fd_;
  std::string path_;
  termios original_;
  double bytesPerSecond_;
  LineMeter meter_;
};

std::string OpenFailure(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return msg::FormatMessage(msg::kEscPosPortMissing, {path});
    case EBUSY:
    case EWOULDBLOCK:
      return msg::FormatMessage(msg::kEscPosPortBusy, {path});
    case EACCES:
    case EPERM:
      return msg::FormatMessage(msg::kEscPosPortDenied, {path});
    case ENOTTY:
      return msg::FormatMessage(msg::kEscPosPortNotSerial, {path});
    default:
      return msg::FormatMessage(msg::kEscPosPortFailed, {path, std::strerror(error)});
  }
}

}  // namespace

OpenedOutput OpenSerialOutput(const std::string& path, const LineParameters& line) {
  OpenedOutput opened;
  if (SpeedConstant(line.baudRate) == B0) {
    opened.message = msg::kEscPosBadLine;
    return opened;
  }
  UniqueFd fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  termios original{};
  // The lock keeps out every other user of the line, even a privileged one
  // whom the terminal's exclusive mode would let through.
  if (!fd.Valid() || flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd.Get(), &original) != 0) {
    opened.message = OpenFailure(path, errno);
    return opened;
  }
  ioctl(fd.Get(), TIOCEXCL);
  termios raw = original;
  ConfigureTermios(raw, line);
  if (tcsetattr(fd.Get(), TCSANOW, &raw) != 0) {
    opened.message = OpenFailure(path, errno);
    return opened;
  }
  // A pseudo-terminal has no modem-control lines; raising DTR there fails harmlessly.
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd.Get(), TIOCMBIS, &lines);
  opened.output = std::make_unique<SerialOutput>(std::move(fd), path, original,
                                                 SerialBytesPerSecond(line.baudRate, line.parity != kParityNone));
  return opened;
}

}  // namespace dotforge
