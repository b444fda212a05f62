#include "escpos/send/network_output.h"

#include <fcntl.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "escpos/escpos_messages.h"
#include "escpos/send/host_lookup.h"

namespace dotforge {
namespace {

constexpr std::size_t kNetworkWindow = 64 * 1024;

class NetworkOutput : public EscPosOutput {
 public:
  NetworkOutput(UniqueFd fd, std::string label) : fd_(std::move(fd)), label_(std::move(label)) {}

  int Fd() const override { return fd_.Get(); }
  ssize_t Write(ByteView bytes) override { return send(fd_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL); }
  // Bytes the printer has not acknowledged yet.
  std::size_t Backlog() const override {
    int queued = 0;
    if (ioctl(fd_.Get(), SIOCOUTQ, &queued) != 0 || queued < 0) return 0;
    return static_cast<std::size_t>(queued);
  }
  std::size_t Window() const override { return kNetworkWindow; }
  int EndOfData() override { return shutdown(fd_.Get(), SHUT_WR) == 0 ? 0 : errno; }
  int PendingError() const override {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd_.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
    return error;
  }
  // Closing resets the connection instead of sending what is still queued.
  void Discard() override {
    const linger abort{1, 0};
    setsockopt(fd_.Get(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  }
  std::string StalledMessage() const override { return msg::FormatMessage(msg::kEscPosHostStalled, {label_}); }
  std::string WriteFailedMessage(int error) const override {
    return msg::FormatMessage(msg::kEscPosConnectionLost, {label_, std::strerror(error)});
  }

 private:
  UniqueFd fd_;
  std::string label_;
};

enum class ConnectEnd { Connected, Failed, Cancelled, TimedOut };

// One address: a non-blocking connect waited for with the cancel.
ConnectEnd ConnectTo(const addrinfo& address, Event& cancel, const Deadline& deadline, UniqueFd& fd, int& error) {
  fd = UniqueFd(socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol));
  if (!fd.Valid()) {
    error = errno;
    return ConnectEnd::Failed;
  }
  if (connect(fd.Get(), address.ai_addr, address.ai_addrlen) == 0) return ConnectEnd::Connected;
  if (errno != EINPROGRESS) {
    error = errno;
    return ConnectEnd::Failed;
  }
  pollfd watched[2] = {{cancel.Fd(), POLLIN, 0}, {fd.Get(), POLLOUT, 0}};
  while (true) {
    const int ready = poll(watched, 2, deadline.RemainingMs());
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) {
      error = errno;
      return ConnectEnd::Failed;
    }
    if (ready == 0) return ConnectEnd::TimedOut;
    if (watched[0].revents) return ConnectEnd::Cancelled;
    break;
  }
  socklen_t size = sizeof error;
  if (getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
  return error == 0 ? ConnectEnd::Connected : ConnectEnd::Failed;
}

std::string TimedOutMessage(const std::string& label, int connectMs) {
  const std::string seconds = connectMs % 1000 == 0
                                  ? std::to_string(connectMs / 1000)
                                  : std::to_string(connectMs / 1000) + "." + std::to_string(connectMs % 1000 / 100);
  return msg::FormatMessage(msg::kEscPosConnectTimedOut, {label, seconds});
}

}  // namespace

std::string ConnectFailureMessage(const std::string& hostLabel, int error) {
  switch (error) {
    case ECONNREFUSED:
      return msg::FormatMessage(msg::kEscPosRefused, {hostLabel});
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
    case ENETDOWN:
    case EADDRNOTAVAIL:
      return msg::FormatMessage(msg::kEscPosUnreachable, {hostLabel});
    default:
      return msg::FormatMessage(msg::kEscPosConnectFailed, {hostLabel, std::strerror(error)});
  }
}

OpenedOutput OpenNetworkOutput(const EscPosTarget& target, Event& cancel, int connectMs) {
  OpenedOutput opened;
  const std::string label = HostLabel(target);
  const Deadline deadline(connectMs);
  LookupResult lookup = LookUpHost(target.host, target.port, cancel, deadline);
  switch (lookup.status) {
    case LookupResult::Status::Found:
      break;
    case LookupResult::Status::Cancelled:
      opened.cancelled = true;
      return opened;
    case LookupResult::Status::TimedOut:
      opened.message = TimedOutMessage(label, connectMs);
      return opened;
    case LookupResult::Status::NotFound:
      opened.message = msg::FormatMessage(msg::kEscPosHostUnknown, {label});
      return opened;
  }
  // Every address of the host in turn, within the one limit: "localhost" may
  // name ::1 first while the printer listens on 127.0.0.1 only.
  int error = ETIMEDOUT;
  for (const addrinfo* address = lookup.addresses.First(); address; address = address->ai_next) {
    UniqueFd fd;
    switch (ConnectTo(*address, cancel, deadline, fd, error)) {
      case ConnectEnd::Connected:
        opened.output = std::make_unique<NetworkOutput>(std::move(fd), label);
        return opened;
      case ConnectEnd::Cancelled:
        opened.cancelled = true;
        return opened;
      case ConnectEnd::TimedOut:
        opened.message = TimedOutMessage(label, connectMs);
        return opened;
      case ConnectEnd::Failed:
        break;
    }
  }
  opened.message = ConnectFailureMessage(label, error);
  return opened;
}

}  // namespace dotforge
