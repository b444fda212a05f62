#include "platform/trace.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "printer/reply_readers.h"
#include "printer/workers.h"

namespace dotforge {
namespace {

constexpr int kAfterTransferPauseMs = 1000;
constexpr int kPollMs = 10;

void EraseComplete(WorkerSink& sink) {
  sink.SetField(printer_ui::kEraseStatusText, msg::kEraseIsComplete);
  sink.EnableOk();
}

// The erase ended without the printer's word that it is done.
void EraseNotConfirmed(WorkerSink& sink, const char* message) {
  sink.ShowMessage(message);
  sink.SetField(printer_ui::kEraseStatusText, msg::kEraseNotConfirmed);
  sink.EnableOk();
}

// Waits while the transfer thread sends; ByteWait::Received once it has ended.
ByteWait AwaitTransfer(const WorkerContext& worker, const std::atomic<TransferOutcome>& transfer) {
  while (transfer.load() == TransferOutcome::Pending) {
    const WaitOutcome wait = WaitForAny({&worker.stop, &worker.comm.AbortSignal()}, kPollMs);
    if (wait.kind == WaitOutcome::Kind::Signaled) return wait.index == 0 ? ByteWait::Stopped : ByteWait::Aborted;
  }
  return ByteWait::Received;
}

// Waits for the writer's answer to the transfer's requests: transfer complete,
// or the request dropped with the queue. `from` is where the erase command
// starts in the queue's running count.
TransferOutcome AwaitWritten(const WorkerContext& transfer, std::uint64_t from) {
  CWriteQueue& queue = transfer.comm.WriteQueue();
  std::uint64_t left = queue.LeftPosition();
  Deadline stall(transfer.limits.replyMs);
  for (;;) {
    const WaitOutcome outcome =
        WaitForAny({&queue.transferComplete, &queue.abortSignal, &transfer.stop}, std::min(kPollMs, stall.RemainingMs()));
    if (outcome.kind == WaitOutcome::Kind::Failed) {
      Trace(trace::kTransferWait);
      return TransferOutcome::Aborted;
    }
    if (outcome.kind == WaitOutcome::Kind::Signaled) {
      return outcome.index == 0 ? TransferOutcome::Written : TransferOutcome::Aborted;
    }
    if (queue.LostPosition() > from) return TransferOutcome::Lost;
    if (const std::uint64_t now = queue.LeftPosition(); now > left) {
      left = now;
      stall = Deadline(transfer.limits.replyMs);
    }
    if (stall.Passed()) return TransferOutcome::Stalled;
  }
}

}  // namespace

void RunEraseWorker(const WorkerContext& worker, const std::atomic<TransferOutcome>& transfer) {
  ByteWait wait = AwaitTransfer(worker, transfer);
  if (wait == ByteWait::Received) {
    if (transfer == TransferOutcome::Stalled) return EraseNotConfirmed(worker.sink, msg::kErrorLineStalled);
    if (transfer == TransferOutcome::Lost) return EraseNotConfirmed(worker.sink, msg::kErrorSendFailed);
  }
  // The printer's time for the erase starts once the command is out (or, when
  // an earlier erase command was aborted, now).
  for (;;) {
    std::uint8_t byte = 0;
    if (wait == ByteWait::Received) wait = NextReplyByte(worker, worker.limits.eraseReplyMs, byte);
    switch (wait) {
      case ByteWait::Received:
        break;
      case ByteWait::TimedOut:
        return EraseNotConfirmed(worker.sink, msg::kErrorResponseNotReceived);
      case ByteWait::Aborted:
        worker.sink.ShowMessage(msg::kErrorReadAborted);
        return;
      case ByteWait::Stopped:
      case ByteWait::Abandoned:
        return;
    }
    switch (ReadEraseReply(byte)) {
      case ReplyStatus::More:
        continue;
      case ReplyStatus::Accepted:
        EraseComplete(worker.sink);
        return;
      default:
        worker.sink.ShowMessage(msg::kErrorInvalidResponse);
        return;
    }
  }
}

void RunEraseTransfer(const WorkerContext& transfer, std::atomic<TransferOutcome>& outcome) {
  CCommContext& comm = transfer.comm;
  CWriteQueue& queue = comm.WriteQueue();
  const std::uint64_t from = queue.QueuedPosition();
  const bool queued = comm.Send(queue.eraseCommand, transfer.owner) == queue.eraseCommand.size();
  queue.Append({static_cast<std::uint32_t>(WriteKind::TransferComplete), {}, transfer.owner});
  queue.abortSignal.Reset();
  const TransferOutcome result = queued ? AwaitWritten(transfer, from) : TransferOutcome::Lost;
  if (result == TransferOutcome::Aborted || result == TransferOutcome::Stalled) {
    queue.PushFront({static_cast<std::uint32_t>(WriteKind::Abort), {}});
  } else if (result == TransferOutcome::Lost) {
    comm.TakeBack(transfer.owner);
  }
  comm.printerCommandState = static_cast<int>(PrinterCommand::Idle);
  outcome = result;
  if (result == TransferOutcome::Aborted || result == TransferOutcome::Stalled) {
    // The writer answers the abort with transfer complete; taking that answer
    // here keeps it from passing for the completion of the next erase command.
    // A writer held up by a stalled line answers once the line is closed.
    WaitForAny({&queue.transferComplete, &transfer.stop}, kAfterTransferPauseMs);
  } else {
    transfer.stop.Wait(kAfterTransferPauseMs);
  }
}

}  // namespace dotforge
