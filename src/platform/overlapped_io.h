#pragma once
// Asynchronous reads and writes on a non-blocking descriptor, in the shape the
// communication threads expect: start an operation, learn whether it completed
// at once or is pending, wait for its completion or for a stop signal, then fetch
// the result. A record bound to an AsyncPipe does its reads and writes on the
// pipe instead of the descriptor it is given.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/async_pipe.h"
#include "platform/bytes.h"
#include "platform/event.h"

namespace dotforge {

enum class IoStart { Completed, Pending, Failed };
enum class IoWait { Completed, Stopped, Failed };

class OverlappedIo {
 public:
  // Routes the following operations to `pipe`; nullptr returns to descriptors.
  // Only while no operation is pending.
  void BindPipe(std::shared_ptr<AsyncPipe> pipe) { pipe_ = std::move(pipe); }
  bool BoundToPipe() const { return pipe_ != nullptr; }

  // Reads what is there, up to the buffer's size. A line that has gone away
  // (hang-up, end of file) is a failure, never an endless stream of empty reads.
  IoStart StartRead(int fd, std::span<std::uint8_t> buffer);
  // Writes as much as the descriptor takes now; the rest is written while waiting.
  IoStart StartWrite(int fd, ByteView bytes);
  // Waits until the pending operation completes (or fails) or one of `stops` is
  // set (an auto-reset stop is consumed). `timeoutMs` negative: no limit; a
  // time-out counts as Stopped with StoppedBy() == stops.size().
  IoWait WaitForCompletion(std::span<Event* const> stops, int timeoutMs = -1);
  IoWait WaitForCompletion(std::initializer_list<Event*> stops, int timeoutMs = -1) {
    return WaitForCompletion(std::span<Event* const>(stops.begin(), stops.size()), timeoutMs);
  }

  // Bytes moved by the last operation; false when it failed (see Error()).
  bool GetResult(std::size_t& transferred) const;
  int Error() const { return error_; }
  std::size_t StoppedBy() const { return stoppedBy_; }
  bool Pending() const { return pending_; }

 private:
  bool Step();  // one read or write attempt; false once the operation is over
  IoStart Began(int error);
  void CollectFromPipe();

  std::shared_ptr<AsyncPipe> pipe_;

  int fd_ = -1;
  bool writing_ = false;
  bool pending_ = false;
  std::uint8_t* readBuffer_ = nullptr;
  const std::uint8_t* writeBytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t done_ = 0;
  int error_ = 0;
  std::size_t stoppedBy_ = 0;
};

// True for the errors of a line that is gone (pseudo-terminal closed, USB-serial
// adapter unplugged) as opposed to a line that refuses one request.
bool IsLineGoneError(int error);

}  // namespace dotforge
