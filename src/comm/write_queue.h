#pragma once
// The write queue between the senders (printer workers, the erase transfer
// thread) and the writer thread, with the signals the printer commands share.

#include <cstddef>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

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
};

class CWriteQueue {
 public:
  // The request storage holds at most four 4096-byte pages of 32-byte requests.
  static constexpr std::size_t kCapacity = 4 * 4096 / 32;
  static constexpr int kFullRetryMs = 500;

  // Appends at the tail, or at the front for an abort. When the storage is full
  // it waits once for 500 ms; false (after a trace) when it is still full.
  bool Append(WriteRequest request);
  bool PushFront(WriteRequest request);

  // Writer side: the oldest request, if any. It keeps its place in the storage
  // until Release.
  bool TakeFront(WriteRequest& request);
  void Release();
  // Drops every queued request (an abort, or the writer stopping for good).
  void DropQueued();

  // Lengths and kinds of the queued requests, oldest first.
  std::vector<std::size_t> QueuedLengths();
  std::vector<std::uint32_t> QueuedKinds();

  // The write side of the current interface.
  void SetWriteTarget(int fd, OverlappedIo* record);
  int WriteFd() const { return writeFd_.load(); }
  OverlappedIo* WriteRecord() const { return writeRecord_.load(); }

  Event requestSignal{ResetMode::Auto};
  Event abortSignal{ResetMode::Auto};
  Event transferComplete{ResetMode::Auto};
  Event writerStop{ResetMode::Manual};
  // The erase command bytes the transfer thread sends.
  Bytes eraseCommand;

 private:
  bool Add(WriteRequest request, bool front);

  std::mutex lock_;
  std::deque<WriteRequest> queue_;
  std::size_t inUse_ = 0;
  std::atomic<int> writeFd_{-1};
  std::atomic<OverlappedIo*> writeRecord_{nullptr};
};

}  // namespace dotforge
