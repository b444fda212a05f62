#pragma once
// The worker bodies of the printer dialogs and the erase transfer thread. Each
// worker runs one transaction of the printer protocol and reports through its
// sink; its stop event ends it silently (the dialog is gone or replaced), while
// the context's abort signal ends it with the "aborted" message.

#include <atomic>
#include <cstdint>

#include "comm/comm_context.h"
#include "platform/bytes.h"
#include "platform/event.h"
#include "printer/download_stream.h"
#include "printer/printer_protocol.h"
#include "printer/worker_sink.h"

namespace dotforge {

struct ReplyLimits {
  int replyMs = kReplyLimitMs;
  int eraseReplyMs = kEraseReplyLimitMs;
};

struct WorkerContext {
  CCommContext& comm;
  WorkerSink& sink;
  Event& stop;
  ReplyLimits limits;
  // Tags what this worker queues, so that it can take it back.
  std::uint64_t owner = 0;
  // The line uses Xon/Xoff flow control: XON and XOFF inside a binary record
  // are flow control there, data otherwise.
  bool xonXoffFlow = false;
  // The user may cancel through the sink: the worker watches its cancel and
  // stop requests.
  bool cancellable = false;
};

// How the erase transfer thread ended, for the erase dialog's worker.
enum class TransferOutcome : int {
  Pending,  // still sending
  Written,  // the command has been written
  Aborted,  // aborted or stopped; the queue was told to drop it
  Stalled,  // the line took no byte within the reply limit
  Lost,     // the command was dropped (the line was reopened) or refused
};

// Abandoned: the user's stop request (a cancellable worker only).
enum class ByteWait { Received, TimedOut, Aborted, Stopped, Abandoned };

// One reply byte within `limitMs`.
ByteWait NextReplyByte(const WorkerContext& worker, int limitMs, std::uint8_t& byte);

// Download Entire Font.
void RunDownloadWorker(const WorkerContext& worker, const DownloadStream& stream);
// Download and Print One Character; `stream` is the whole FS G command.
void RunPrintCharacterWorker(const WorkerContext& worker, const Bytes& stream);
// Read Printer Font Infos: the five slots, fields filled as records complete.
void RunFontInfoWorker(const WorkerContext& worker);
// Check Available Memory; ends early once the sink is detached (dialog closed).
void RunMemoryWorker(const WorkerContext& worker);
// Erase Printer Fonts: waits until the transfer thread has written the
// command, then for the printer's CR.
void RunEraseWorker(const WorkerContext& worker, const std::atomic<TransferOutcome>& transfer);

// The erase transfer thread: sends the erase command buffer, then waits until
// the writer has written it (state back to idle), the command is aborted (the
// writer drops what is queued), the line takes nothing within the reply limit,
// or the command is dropped. `stop` counts as an abort. Every ending sets the
// state to idle and `outcome`.
void RunEraseTransfer(const WorkerContext& transfer, std::atomic<TransferOutcome>& outcome);

}  // namespace dotforge
