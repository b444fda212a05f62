#pragma once
// The write queue between the senders (printer workers, the erase transfer
// thread) and the writer thread, with the signals the printer commands share.
//
// Every byte queued gets a place in one running count of bytes, so a sender can
// tell when its bytes have left the line (LeftPosition) and whether any of them
// were lost (LostPosition): dropped from the queue or refused by the device. A
// piece is never lost without LostPosition moving past it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "comm/line_meter.h"
#include "platform/bytes.h"
#include "platform/event.h"
#include "platform/overlapped_io.h"

namespace dotforge {

enum class WriteKind : std::uint32_t {
  TransferComplete = 4,  // set the transfer-complete signal
  Abort = 5,             // drop everything queued behind, then signal transfer complete
  WriteBuffer = 6,       // write the bytes
};

struct WriteRequest {
  std::uint32_t kind = 0;
  // The request keeps its own copy: a worker that gives up on a reply may free
  // its buffers while the writer still has pieces of them queued.
  Bytes data;
  // Who queued it (0: nobody in particular), so a command that gives up can
  // take back what it queued and nothing else.
  std::uint64_t owner = 0;
  // The running byte count just after this request's bytes.
  std::uint64_t end = 0;
};

class CWriteQueue {
 public:
  // The request storage holds at most four 4096-byte pages of 32-byte requests.
  static constexpr std::size_t kCapacity = 4 * 4096 / 32;

  // Queues one piece of bytes without waiting: the running count just after
  // it, or nothing when the storage is full (nothing is queued then).
  std::optional<std::uint64_t> AppendWrite(Bytes bytes, std::uint64_t owner = 0);
  // Requests without bytes (transfer complete, abort) always find a place: they
  // are what releases the threads waiting on the queue. PushFront is for the
  // abort request.
  bool Append(WriteRequest request);
  bool PushFront(WriteRequest request);

  // Writer side: the oldest request, if any. It keeps its place in the storage
  // until Release, and is the request in flight until Handed, Refused or Cut.
  bool TakeFront(WriteRequest& request);
  void Release();
  // The request's bytes are all with the device now.
  void Handed(const WriteRequest& request);
  // The write of the request was given up part way (the line closed, or its
  // owner took it back): its bytes are lost, the rest of the queue stays.
  void Cut(const WriteRequest& request);
  // The device refused the request's bytes, or took only part of them (the
  // line closed meanwhile): they and everything queued after them are lost.
  void Refused(const WriteRequest& request);
  // Drops every queued request (an abort, or the line closing).
  void DropQueued();
  // Drops the requests of one owner (a command that has given up); a write of
  // its still in flight is cancelled through `cancelWrite`.
  void DropOwned(std::uint64_t owner);
  // Drops the requests of one owner that the writer has not taken yet and
  // leaves its write in flight alone: the running count up to which the
  // owner's bytes still go to the device.
  std::uint64_t Withdraw(std::uint64_t owner);

  // The running count of bytes queued so far, of bytes handed to the device,
  // of bytes that have left the line, and the count up to which some bytes
  // were lost.
  std::uint64_t QueuedPosition();
  std::uint64_t HandedPosition();
  std::uint64_t LeftPosition();
  std::uint64_t LostPosition();

  // Lengths and kinds of the queued requests, oldest first.
  std::vector<std::size_t> QueuedLengths();
  std::vector<std::uint32_t> QueuedKinds();

  // The write side of the current interface; `bytesPerSecond` is the line's
  // speed (0 when the device reports its own queue only).
  void SetWriteTarget(int fd, OverlappedIo* record, double bytesPerSecond = 0);
  int WriteFd() const { return writeFd_.load(); }
  OverlappedIo* WriteRecord() const { return writeRecord_.load(); }

  Event requestSignal{ResetMode::Auto};
  Event abortSignal{ResetMode::Auto};
  Event transferComplete{ResetMode::Auto};
  Event writerStop{ResetMode::Manual};
  // Ends the write in flight (its owner has taken it back).
  Event cancelWrite{ResetMode::Auto};
  // Bytes were handed to the device or lost: a sender waiting for its bytes to
  // go looks again at once instead of at its next look at the line.
  Event sendProgress{ResetMode::Auto};
  // The erase command bytes the transfer thread sends.
  Bytes eraseCommand;

 private:
  bool Add(WriteRequest request, bool front);
  // Under the lock: the dropped requests' bytes count as lost.
  void LoseLocked(std::uint64_t end);
  // Under the lock: drops the owner's queued requests; returns where the first
  // of them began (the queued end when there was none).
  std::uint64_t DropOwnedLocked(std::uint64_t owner);

  std::mutex lock_;
  std::deque<WriteRequest> queue_;
  std::size_t inUse_ = 0;
  std::uint64_t queuedEnd_ = 0;
  std::uint64_t handedEnd_ = 0;
  std::uint64_t lostEnd_ = 0;
  std::optional<std::uint64_t> inFlightOwner_;
  LineMeter meter_;
  std::atomic<int> writeFd_{-1};
  std::atomic<OverlappedIo*> writeRecord_{nullptr};
};

}  // namespace dotforge
