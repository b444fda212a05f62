#pragma once
// A TCP printer on 127.0.0.1 for the tests: it accepts one connection and keeps
// what arrives until the sender shuts its side down, or misbehaves as asked.
// And a named pipe standing in for a USB printer device.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/bytes.h"

namespace dotforge::test {

enum class ListenerMode {
  Read,             // reads everything until end of data
  NeverRead,        // accepts, never reads (a small receive buffer)
  CloseAfterFirst,  // reads a few bytes, then closes
};

class LocalListener {
 public:
  explicit LocalListener(ListenerMode mode, int backlog = 4);
  ~LocalListener();
  LocalListener(const LocalListener&) = delete;
  LocalListener& operator=(const LocalListener&) = delete;

  std::uint16_t Port() const { return port_; }
  // Starts accepting (and reading, per the mode) on a thread of its own.
  void Serve();
  // Waits for the connection to end; what it received.
  Bytes Received();

 private:
  void Run();

  ListenerMode mode_;
  int fd_ = -1;
  std::uint16_t port_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  Bytes received_;
};

// A port on 127.0.0.1 where nothing listens.
std::uint16_t ClosedPort();

// A listening socket whose accept queue is full, so that further connects are
// left unanswered; nothing when the system answers them anyway.
class FullListener {
 public:
  FullListener();
  ~FullListener();
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;
  bool Full() const { return full_; }
  std::uint16_t Port() const { return port_; }

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
  std::vector<int> clients_;
  bool full_ = false;
};

// A named pipe at `path` with its reading end open, so that a send may open it
// as a printer device; Take gives what the pipe holds (up to its 64 KiB).
class FifoPrinter {
 public:
  explicit FifoPrinter(const std::filesystem::path& path);
  ~FifoPrinter();
  FifoPrinter(const FifoPrinter&) = delete;
  FifoPrinter& operator=(const FifoPrinter&) = delete;
  int Fd() const { return fd_; }
  Bytes Take();

 private:
  int fd_ = -1;
};

}  // namespace dotforge::test
