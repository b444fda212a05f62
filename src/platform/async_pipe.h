#pragma once
// An endpoint whose reads and writes complete asynchronously, outside the
// caller's thread (a USB bulk pipe). One operation runs at a time; its
// completion is signalled on a pollable descriptor, so a thread can wait for it
// together with its stop signals.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/bytes.h"

namespace dotforge {

class AsyncPipe {
 public:
  virtual ~AsyncPipe() = default;

  // Start reading up to `capacity` bytes, or writing a copy of `bytes`; 0, or
  // the errno value of why it could not start.
  virtual int BeginRead(std::size_t capacity) = 0;
  virtual int BeginWrite(ByteView bytes) = 0;
  // Readable (poll) once the running operation has completed.
  virtual int CompletionFd() const = 0;
  // False while the operation still runs. Once it is over: the bytes moved (a
  // read's bytes are copied to `readInto`) and its errno value, 0 for success.
  virtual bool Collect(std::span<std::uint8_t> readInto, std::size_t& transferred, int& error) = 0;
};

}  // namespace dotforge
