#pragma once
// An open connection to a printer as the sender sees it: a non-blocking
// descriptor to write, how many written bytes have not left yet, and the
// connection's own messages.

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>

#include "platform/bytes.h"
#include "platform/unique_fd.h"

namespace dotforge {

class EscPosOutput {
 public:
  virtual ~EscPosOutput() = default;
  // The descriptor poll() watches for room to write.
  virtual int Fd() const = 0;
  // Writes what the connection takes now: bytes written, or -1 with errno.
  virtual ssize_t Write(ByteView bytes) = 0;
  // Bytes written that have not reached the printer yet (a line's or a
  // socket's output queue); 0 where nothing tells.
  virtual std::size_t Backlog() const { return 0; }
  // The most to hand over ahead of what has left; bounds the backlog so that
  // progress follows the line.
  virtual std::size_t Window() const = 0;
  // The last byte is written (a socket shuts down its sending side): 0, or
  // the error that ends the connection.
  virtual int EndOfData() { return 0; }
  // An error the connection has seen on its own (a reset); 0 when none.
  virtual int PendingError() const { return 0; }
  // The send gave up: drop what has not left, where the connection allows.
  virtual void Discard() {}
  virtual std::string StalledMessage() const = 0;
  virtual std::string WriteFailedMessage(int error) const = 0;
};

class Event;

// An opened connection, or why there is none.
struct OpenedOutput {
  std::unique_ptr<EscPosOutput> output;
  bool cancelled = false;
  std::string message;
};

}  // namespace dotforge
