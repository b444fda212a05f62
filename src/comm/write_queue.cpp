#include "comm/write_queue.h"

#include <chrono>
#include <thread>

#include "comm/comm_messages.h"
#include "platform/trace.h"

namespace dotforge {

bool CWriteQueue::Append(WriteRequest request) { return Add(std::move(request), false); }

bool CWriteQueue::PushFront(WriteRequest request) { return Add(std::move(request), true); }

bool CWriteQueue::Add(WriteRequest request, bool front) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    {
      const std::lock_guard guard(lock_);
      if (inUse_ < kCapacity) {
        ++inUse_;
        if (front) {
          queue_.push_front(std::move(request));
        } else {
          queue_.push_back(std::move(request));
        }
        requestSignal.Set();
        return true;
      }
    }
    if (attempt == 0) std::this_thread::sleep_for(std::chrono::milliseconds(kFullRetryMs));
  }
  Trace(trace::kWriterPacketAlloc);
  return false;
}

bool CWriteQueue::TakeFront(WriteRequest& request) {
  const std::lock_guard guard(lock_);
  if (queue_.empty()) return false;
  request = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

void CWriteQueue::Release() {
  const std::lock_guard guard(lock_);
  if (inUse_ > 0) --inUse_;
}

void CWriteQueue::DropQueued() {
  const std::lock_guard guard(lock_);
  inUse_ -= std::min(inUse_, queue_.size());
  queue_.clear();
}

std::vector<std::size_t> CWriteQueue::QueuedLengths() {
  const std::lock_guard guard(lock_);
  std::vector<std::size_t> lengths;
  for (const WriteRequest& request : queue_) lengths.push_back(request.data.size());
  return lengths;
}

std::vector<std::uint32_t> CWriteQueue::QueuedKinds() {
  const std::lock_guard guard(lock_);
  std::vector<std::uint32_t> kinds;
  for (const WriteRequest& request : queue_) kinds.push_back(request.kind);
  return kinds;
}

void CWriteQueue::SetWriteTarget(int fd, OverlappedIo* record) {
  writeFd_ = fd;
  writeRecord_ = record;
}

}  // namespace dotforge
