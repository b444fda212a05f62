#include "comm/write_queue.h"

#include <algorithm>

namespace dotforge {

std::optional<std::uint64_t> CWriteQueue::AppendWrite(Bytes bytes, std::uint64_t owner) {
  std::uint64_t end = 0;
  {
    const std::lock_guard guard(lock_);
    if (inUse_ >= kCapacity) return std::nullopt;
    ++inUse_;
    queuedEnd_ += bytes.size();
    end = queuedEnd_;
    queue_.push_back({static_cast<std::uint32_t>(WriteKind::WriteBuffer), std::move(bytes), owner, end});
  }
  requestSignal.Set();
  return end;
}

bool CWriteQueue::Append(WriteRequest request) { return Add(std::move(request), false); }

bool CWriteQueue::PushFront(WriteRequest request) { return Add(std::move(request), true); }

bool CWriteQueue::Add(WriteRequest request, bool front) {
  {
    const std::lock_guard guard(lock_);
    ++inUse_;
    request.end = queuedEnd_;
    if (front) {
      queue_.push_front(std::move(request));
    } else {
      queue_.push_back(std::move(request));
    }
  }
  requestSignal.Set();
  return true;
}

bool CWriteQueue::TakeFront(WriteRequest& request) {
  const std::lock_guard guard(lock_);
  if (queue_.empty()) return false;
  request = std::move(queue_.front());
  queue_.pop_front();
  inFlightOwner_ = request.owner;
  // A cancel meant for a write that completed before it was seen.
  cancelWrite.Reset();
  return true;
}

void CWriteQueue::Release() {
  const std::lock_guard guard(lock_);
  if (inUse_ > 0) --inUse_;
}

void CWriteQueue::Handed(const WriteRequest& request) {
  const std::lock_guard guard(lock_);
  // The meter and the handed count move together: a look at the line in
  // between would count the new bytes as handed but not as on their way.
  meter_.Handed(request.data.size());
  inFlightOwner_.reset();
  handedEnd_ = std::max(handedEnd_, request.end);
  sendProgress.Set();
}

void CWriteQueue::Cut(const WriteRequest& request) {
  const std::lock_guard guard(lock_);
  inFlightOwner_.reset();
  LoseLocked(request.end);
}

void CWriteQueue::Refused(const WriteRequest& request) {
  const std::lock_guard guard(lock_);
  inFlightOwner_.reset();
  // What follows a hole in a stream is of no use to the printer.
  LoseLocked(std::max(request.end, queuedEnd_));
  inUse_ -= std::min(inUse_, queue_.size());
  queue_.clear();
}

void CWriteQueue::LoseLocked(std::uint64_t end) {
  lostEnd_ = std::max(lostEnd_, end);
  // Lost bytes never reach the line; the bytes after them may still do.
  handedEnd_ = std::max(handedEnd_, end);
  sendProgress.Set();
}

void CWriteQueue::DropQueued() {
  const std::lock_guard guard(lock_);
  for (const WriteRequest& request : queue_) LoseLocked(request.end);
  inUse_ -= std::min(inUse_, queue_.size());
  queue_.clear();
}

void CWriteQueue::DropOwned(std::uint64_t owner) {
  const std::lock_guard guard(lock_);
  DropOwnedLocked(owner);
  if (queue_.empty()) handedEnd_ = std::max(handedEnd_, lostEnd_);
  if (inFlightOwner_ == owner) cancelWrite.Set();
}

std::uint64_t CWriteQueue::Withdraw(std::uint64_t owner) {
  const std::lock_guard guard(lock_);
  const std::uint64_t kept = DropOwnedLocked(owner);
  if (queue_.empty() && !inFlightOwner_) handedEnd_ = std::max(handedEnd_, lostEnd_);
  return kept;
}

std::uint64_t CWriteQueue::DropOwnedLocked(std::uint64_t owner) {
  const auto owned = [owner](const WriteRequest& request) { return request.owner == owner; };
  std::uint64_t kept = queuedEnd_;
  for (const WriteRequest& request : queue_) {
    if (!owned(request)) continue;
    lostEnd_ = std::max(lostEnd_, request.end);
    kept = std::min<std::uint64_t>(kept, request.end - request.data.size());
  }
  const std::size_t dropped = std::erase_if(queue_, owned);
  inUse_ -= std::min(inUse_, dropped);
  return kept;
}

std::uint64_t CWriteQueue::QueuedPosition() {
  const std::lock_guard guard(lock_);
  return queuedEnd_;
}

std::uint64_t CWriteQueue::HandedPosition() {
  const std::lock_guard guard(lock_);
  return handedEnd_;
}

std::uint64_t CWriteQueue::LeftPosition() {
  const std::lock_guard guard(lock_);
  const std::size_t backlog = meter_.Backlog();
  return handedEnd_ > backlog ? handedEnd_ - backlog : 0;
}

std::uint64_t CWriteQueue::LostPosition() {
  const std::lock_guard guard(lock_);
  return lostEnd_;
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

void CWriteQueue::SetWriteTarget(int fd, OverlappedIo* record, double bytesPerSecond) {
  writeFd_ = fd;
  writeRecord_ = record;
  meter_.SetLine(fd, bytesPerSecond);
}

}  // namespace dotforge
