#pragma once
// The receive ring: 4096 bytes filled by the reader thread and emptied one byte
// at a time by the printer worker. A full ring is never a reason to stop
// reading: the newest bytes replace the oldest.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "platform/bytes.h"
#include "platform/event.h"

namespace dotforge {

class CReceiveBuffer {
 public:
  static constexpr std::size_t kSize = 4096;

  void Put(ByteView bytes);
  // The oldest unread byte; 0 when there is none (callers wait for data first).
  std::uint8_t GetByte();
  std::size_t GetCount();
  void Clear();

  // Set after every Put, so a waiting worker wakes without polling.
  Event& DataArrived() { return dataArrived_; }

 private:
  std::mutex lock_;
  std::array<std::uint8_t, kSize> ring_{};
  std::size_t readIndex_ = 0;
  std::size_t writeIndex_ = 0;
  std::size_t count_ = 0;
  Event dataArrived_{ResetMode::Manual};
};

}  // namespace dotforge
