#include "comm/receive_buffer.h"

namespace dotforge {

void CReceiveBuffer::Put(ByteView bytes) {
  if (bytes.empty()) return;
  {
    const std::lock_guard guard(lock_);
    for (const std::uint8_t byte : bytes) {
      ring_[writeIndex_] = byte;
      writeIndex_ = (writeIndex_ + 1) % kSize;
      // When full, the oldest byte makes room: the read index moves with the
      // write index, so the ring still reads back in arrival order.
      if (count_ == kSize) {
        readIndex_ = (readIndex_ + 1) % kSize;
      } else {
        ++count_;
      }
    }
  }
  dataArrived_.Set();
}

std::uint8_t CReceiveBuffer::GetByte() {
  const std::lock_guard guard(lock_);
  if (count_ == 0) return 0;
  const std::uint8_t byte = ring_[readIndex_];
  readIndex_ = (readIndex_ + 1) % kSize;
  --count_;
  return byte;
}

std::size_t CReceiveBuffer::GetCount() {
  const std::lock_guard guard(lock_);
  return count_;
}

void CReceiveBuffer::Clear() {
  const std::lock_guard guard(lock_);
  readIndex_ = writeIndex_ = count_ = 0;
}

}  // namespace dotforge
