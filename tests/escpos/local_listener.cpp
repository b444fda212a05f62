#include "escpos/local_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>

#include <stdexcept>
#include <vector>

namespace dotforge::test {
namespace {

constexpr int kSmallBuffer = 2048;
constexpr int kLookMs = 20;

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

int ListeningSocket(int backlog, int receiveBuffer, std::uint16_t& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (receiveBuffer > 0) setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  sockaddr_in address = Loopback(0);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, backlog) != 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  socklen_t size = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

LocalListener::LocalListener(ListenerMode mode, int backlog) : mode_(mode) {
  fd_ = ListeningSocket(backlog, mode == ListenerMode::NeverRead ? kSmallBuffer : 0, port_);
}

LocalListener::~LocalListener() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  close(fd_);
}

void LocalListener::Serve() { thread_ = std::thread([this] { Run(); }); }

Bytes LocalListener::Received() {
  if (thread_.joinable()) thread_.join();
  return received_;
}

void LocalListener::Run() {
  pollfd listening{fd_, POLLIN, 0};
  while (!stop_ && poll(&listening, 1, kLookMs) == 0) {
  }
  if (stop_) return;
  const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return;
  std::uint8_t buffer[4096];
  while (!stop_) {
    if (mode_ == ListenerMode::NeverRead) {
      poll(nullptr, 0, kLookMs);
      continue;
    }
    pollfd watched{client, POLLIN, 0};
    if (poll(&watched, 1, kLookMs) == 0) continue;
    const ssize_t count = read(client, buffer, mode_ == ListenerMode::CloseAfterFirst ? 16 : sizeof buffer);
    if (count <= 0) break;
    received_.insert(received_.end(), buffer, buffer + count);
    if (mode_ == ListenerMode::CloseAfterFirst) break;
  }
  close(client);
}

std::uint16_t ClosedPort() {
  std::uint16_t port = 0;
  const int fd = ListeningSocket(1, 0, port);
  close(fd);
  return port;
}

FullListener::FullListener() {
  fd_ = ListeningSocket(0, 0, port_);
  // Connect until one is left without an answer: the accept queue is full and
  // the system drops the handshake.
  for (int attempt = 0; attempt < 8 && !full_; ++attempt) {
    const int client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    clients_.push_back(client);
    sockaddr_in address = Loopback(port_);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) continue;
    pollfd watched{client, POLLOUT, 0};
    full_ = poll(&watched, 1, 200) == 0;
  }
}

FullListener::~FullListener() {
  for (const int client : clients_) close(client);
  close(fd_);
}

FifoPrinter::FifoPrinter(const std::filesystem::path& path) {
  if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path.string());
  fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

FifoPrinter::~FifoPrinter() { close(fd_); }

Bytes FifoPrinter::Take() {
  Bytes taken;
  std::uint8_t buffer[4096];
  ssize_t count = 0;
  while ((count = read(fd_, buffer, sizeof buffer)) > 0) taken.insert(taken.end(), buffer, buffer + count);
  return taken;
}

}  // namespace dotforge::test
