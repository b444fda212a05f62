#pragma once
// The one communication context of the program: the transport chosen by the
// settings, the receive ring filled by the reader thread, the write queue
// emptied by the writer thread, the printer command state and the abort signal.
// Printer commands use only OpenInterface, Send, WaitForData and GetByte.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <thread>

#include "comm/comm_info.h"
#include "comm/comm_settings.h"
#include "comm/receive_buffer.h"
#include "comm/write_queue.h"
#include "framework/prompt.h"
#include "platform/bytes.h"
#include "platform/event.h"

namespace dotforge {

inline constexpr int kWaitTimedOut = 0;
inline constexpr int kWaitReady = 1;
inline constexpr int kWaitAborted = 2;

class CCommContext {
 public:
  static constexpr int kCloseStopLimitMs = 3000;
  static constexpr std::size_t kReadChunk = 512;

  // `prompt` shows the context's and the transport's messages; it is used on the
  // thread that calls OpenInterface and CloseInterface only.
  CCommContext(const CommSettings& settings, Prompt& prompt, int platformKind);
  CCommContext(const CCommContext&) = delete;
  CCommContext& operator=(const CCommContext&) = delete;
  // Closes the interface: threads stopped, line restored and closed.
  ~CCommContext();

  bool OpenInterface();
  // False when nothing was open.
  bool CloseInterface();
  bool StartThreads();
  // 0 when both threads ended within `limitMs`, nonzero otherwise.
  int StopThreads(int limitMs);

  // Queues copies of the bytes in pieces of at most the interface's largest
  // write; returns how many bytes were queued, fewer than the length when the
  // queue is full (what did not fit is not queued). Never waits.
  std::size_t Send(ByteView bytes, std::uint64_t owner = 0);
  std::size_t LargestWrite() const { return largestWrite_.load(); }
  // Forgets reply bytes nobody has read: those in the ring and those the device
  // still holds.
  void FlushReceived();
  // A command that gives up takes back the bytes it queued: those still in
  // the queue, the write in flight, and what the device has not sent yet.
  void TakeBack(std::uint64_t owner);
  // kWaitReady once `minimum` bytes are in the ring, kWaitAborted when the abort
  // signal (consumed) or one of `stops` (null ones left out) is set,
  // kWaitTimedOut after `limitMs` milliseconds; a limit of 0 returns
  // kWaitTimedOut at once.
  int WaitForData(std::size_t minimum, int limitMs, std::initializer_list<Event*> stops = {});
  std::uint8_t GetByte() { return receiveBuffer_.GetByte(); }
  std::size_t GetCount() { return receiveBuffer_.GetCount(); }

  // The live settings the transports read; changed on the opening thread only.
  CommSettings settings;
  const int platformKind;
  const bool usbAvailable;
  // 0 idle, else the running printer command.
  std::atomic<int> printerCommandState{0};

  Prompt& GetPrompt() { return prompt_; }
  CWriteQueue& WriteQueue() { return writeQueue_; }
  CReceiveBuffer& ReceiveBuffer() { return receiveBuffer_; }
  Event& AbortSignal() { return writeQueue_.abortSignal; }
  CCommInfo* Interface() { return interface_.get(); }
  // True while the reader thread runs; it ends by itself when the line goes away.
  bool ReaderRunning() const { return readerRunning_.load(); }
  // Waits up to `limitMs` for the reader thread to end; true when it has.
  bool WaitForReaderEnd(int limitMs) { return readerEnded_.Wait(limitMs); }

 private:
  void ReaderProc();
  void WriterProc();
  void ProcessQueue();
  enum class WriteResult { Written, Stopped, Failed };
  WriteResult WriteBuffer(ByteView bytes);
  void JoinThreads();

  Prompt& prompt_;
  Event readerStop_{ResetMode::Auto};
  Event readerEnded_{ResetMode::Manual};
  Event writerEnded_{ResetMode::Manual};
  std::atomic<bool> readerRunning_{false};
  std::thread reader_;
  CReceiveBuffer receiveBuffer_;
  std::unique_ptr<CCommInfo> interface_;
  CWriteQueue writeQueue_;
  std::thread writer_;
  int lastOpenedType_ = -1;
  std::atomic<std::size_t> largestWrite_{1024};
};

}  // namespace dotforge
