#include "comm/serial_info.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "comm/comm_context.h"
#include "comm/comm_messages.h"
#include "platform/trace.h"

namespace dotforge {
namespace {

// A pseudo-terminal (and some USB adapters) have no modem-control lines.
bool NoModemControl(int error) { return error == ENOTTY || error == EINVAL; }

}  // namespace

CSerialInfo::CSerialInfo(CCommContext& owner) : CCommInfo(owner, kLargestWrite) { SetDefaults(); }

CSerialInfo::~CSerialInfo() { CloseHandle(); }

bool CSerialInfo::SetDefaults() {
  running = 0;
  parameters_ = DefaultLineParameters();
  return true;
}

void CSerialInfo::ApplySettings() {
  const CommSettings& settings = owner.settings;
  portName_ = PortName(settings.serialPort);
  devicePath_ = OpenedDevice(settings);
  parameters_ = LineParametersFor(settings);
}

bool CSerialInfo::CreateHandle() {
  const int fd = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    openFailure_ = std::strerror(errno);
    return false;
  }
  if (!isatty(fd)) {
    close(fd);
    openFailure_ = msg::kNotASerialDevice;
    return false;
  }
  // Exclusive use: the advisory lock holds even against a privileged second
  // user, which the terminal's own exclusive mode lets through.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    openFailure_ = msg::kSerialDeviceInUse;
    return false;
  }
  ioctl(fd, TIOCEXCL);
  readFd = writeFd = fd;
  ++openCount_;
  return true;
}

bool CSerialInfo::SettingsUnchanged() const {
  const CommSettings& settings = owner.settings;
  return appliedPort_ == static_cast<std::uint32_t>(settings.serialPort) &&
         appliedBaudRate_ == static_cast<std::uint32_t>(settings.baudRate) &&
         appliedParity_ == static_cast<std::uint32_t>(settings.parity) &&
         appliedFlowControl_ == static_cast<std::uint32_t>(settings.flowControl) &&
         appliedDevice_ == OpenedDevice(settings);
}

bool CSerialInfo::Open() {
  // A line whose reader has ended has gone away (adapter unplugged): reopen it
  // even though the settings are the same.
  if (readFd >= 0 && SettingsUnchanged() && owner.ReaderRunning()) return true;
  if (readFd >= 0 || appliedPort_ != kNeverApplied) {
    owner.CloseInterface();
    if (readFd >= 0) {
      Close();
      CloseHandle();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kReopenPauseMs));
  }
  appliedPort_ = appliedBaudRate_ = appliedParity_ = appliedFlowControl_ = kNeverApplied;
  appliedDevice_.clear();

  SetDefaults();
  ApplySettings();
  if (!CreateHandle()) {
    owner.GetPrompt().ShowMessage(std::string(msg::kErrorGettingComHandle) + ": " + devicePath_ + ": " + openFailure_);
    return false;
  }
  if (!Configure()) {
    CloseHandle();
    return false;
  }
  owner.WriteQueue().SetWriteTarget(writeFd, &writeRecord,
                                    SerialBytesPerSecond(parameters_.baudRate, parameters_.parity != kParityNone));

  const CommSettings& settings = owner.settings;
  appliedPort_ = static_cast<std::uint32_t>(settings.serialPort);
  appliedBaudRate_ = static_cast<std::uint32_t>(settings.baudRate);
  appliedParity_ = static_cast<std::uint32_t>(settings.parity);
  appliedFlowControl_ = static_cast<std::uint32_t>(settings.flowControl);
  appliedDevice_ = devicePath_;
  return true;
}

bool CSerialInfo::Configure() {
  Prompt& prompt = owner.GetPrompt();
  termios line{};
  if (tcgetattr(readFd, &line) != 0) {
    prompt.ShowMessage(msg::kErrorGetCommState);
    return false;
  }
  original_ = line;
  haveOriginal_ = true;
  ConfigureTermios(line, parameters_);
  if (tcsetattr(readFd, TCSANOW, &line) != 0) {
    char text[64];
    std::snprintf(text, sizeof text, msg::kErrorSetCommState, static_cast<long>(errno));
    prompt.ShowMessage(text);
    return false;
  }
  int lines = TIOCM_DTR | TIOCM_RTS;
  modemControl_ = true;
  if (ioctl(readFd, TIOCMBIS, &lines) != 0) {
    if (!NoModemControl(errno)) {
      prompt.ShowMessage(msg::kErrorSetDtr);
      return false;
    }
    modemControl_ = false;
  }
  return true;
}

void CSerialInfo::ReportCloseFailure(const char* message, int error) {
  if (IsLineGoneError(error)) {
    Trace(std::string(trace::kCloseGoneLine) + message);
  } else {
    owner.GetPrompt().ShowMessage(message);
  }
}

bool CSerialInfo::Close() {
  if (readFd < 0) return true;
  if (modemControl_) {
    int lines = TIOCM_DTR;
    if (ioctl(readFd, TIOCMBIC, &lines) != 0 && !NoModemControl(errno)) {
      ReportCloseFailure(msg::kErrorClearDtr, errno);
    }
  }
  if (haveOriginal_ && tcsetattr(readFd, TCSANOW, &original_) != 0) {
    ReportCloseFailure(msg::kErrorRestoreTimeouts, errno);
  }
  if (tcflush(readFd, TCIOFLUSH) != 0) ReportCloseFailure(msg::kErrorPurgeComm, errno);
  // The exclusive mode belongs to the terminal, not to our descriptor: left on,
  // it would lock out the next open while anyone else holds the line.
  ioctl(readFd, TIOCNXCL);
  return true;
}

void CSerialInfo::CloseHandle() {
  if (readFd >= 0) close(readFd);
  readFd = writeFd = -1;
  haveOriginal_ = false;
}

}  // namespace dotforge
