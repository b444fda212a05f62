#include "escpos/send/device_output.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

constexpr std::size_t kDeviceWindow = 4096;

// A named pipe standing in for a printer raises SIGPIPE once its reader is
// gone, which would end the program: the signal is held back for the write
// and the one it raised taken, so the write fails with EPIPE instead.
ssize_t WriteWithoutSigpipe(int fd, ByteView bytes) {
  sigset_t pipeSignal;
  sigset_t previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  const ssize_t written = write(fd, bytes.data(), bytes.size());
  const int error = errno;
  if (written < 0 && error == EPIPE) {
    const timespec now{};
    sigtimedwait(&pipeSignal, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = error;
  return written;
}

class DeviceOutput : public EscPosOutput {
 public:
  DeviceOutput(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
  int Fd() const override { return fd_.Get(); }
  ssize_t Write(ByteView bytes) override { return WriteWithoutSigpipe(fd_.Get(), bytes); }
  std::size_t Window() const override { return kDeviceWindow; }
  std::string StalledMessage() const override { return msg::FormatMessage(msg::kEscPosDeviceStalled, {path_}); }
  std::string WriteFailedMessage(int error) const override {
    return msg::FormatMessage(msg::kEscPosDeviceWriteFailed, {path_, std::strerror(error)});
  }

 private:
  UniqueFd fd_;
  std::string path_;
};

std::string OpenFailure(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return msg::FormatMessage(msg::kEscPosDeviceMissing, {path});
    case EBUSY:
    case EWOULDBLOCK:
      return msg::FormatMessage(msg::kEscPosDeviceBusy, {path});
    case EACCES:
    case EPERM:
    case EROFS:
      return msg::FormatMessage(msg::kEscPosDeviceDenied, {path});
    default:
      return msg::FormatMessage(msg::kEscPosDeviceFailed, {path, std::strerror(error)});
  }
}

// A printer is a character device, or a named pipe standing in for one; a
// regular file is never written.
bool IsPrinterDevice(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode));
}

}  // namespace

OpenedOutput OpenDeviceOutput(const std::string& path) {
  OpenedOutput opened;
  // No O_CREAT: a device that is not there is reported, never made a file.
  UniqueFd fd(open(path.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Valid() && !IsPrinterDevice(fd.Get())) {
    opened.message = msg::FormatMessage(msg::kEscPosNotADevice, {path});
    return opened;
  }
  if (!fd.Valid() || flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    opened.message = OpenFailure(path, errno);
    return opened;
  }
  opened.output = std::make_unique<DeviceOutput>(std::move(fd), path);
  return opened;
}

}  // namespace dotforge
