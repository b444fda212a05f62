#include "platform/trace.h"
#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "printer/reply_readers.h"
#include "printer/workers.h"

namespace dotforge {
namespace {

constexpr int kAfterTransferPauseMs = 1000;

void EraseComplete(WorkerSink& sink) {
  sink.SetField(printer_ui::kEraseStatusText, msg::kEraseIsComplete);
  sink.EnableOk();
}

}  // namespace

void RunEraseWorker(const WorkerContext& worker) {
  for (;;) {
    std::uint8_t byte = 0;
    switch (NextReplyByte(worker, worker.limits.eraseReplyMs, byte)) {
      case ByteWait::Received:
        break;
      case ByteWait::TimedOut:
        worker.sink.ShowMessage(msg::kErrorResponseNotReceived);
        EraseComplete(worker.sink);
        return;
      case ByteWait::Aborted:
        worker.sink.ShowMessage(msg::kErrorReadAborted);
        return;
      case ByteWait::Stopped:
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

void RunEraseTransfer(CCommContext& comm, Event& stop) {
  CWriteQueue& queue = comm.WriteQueue();
  comm.Send(queue.eraseCommand);
  queue.Append({static_cast<std::uint32_t>(WriteKind::TransferComplete), {}});
  queue.abortSignal.Reset();
  const WaitOutcome outcome = WaitForAny({&queue.transferComplete, &queue.abortSignal, &stop}, -1);
  if (outcome.kind == WaitOutcome::Kind::Signaled && outcome.index == 0) {
    comm.printerCommandState = static_cast<int>(PrinterCommand::Idle);
    stop.Wait(kAfterTransferPauseMs);
    return;
  }
  if (outcome.kind == WaitOutcome::Kind::Failed) {
    Trace(trace::kTransferWait);
    comm.printerCommandState = static_cast<int>(PrinterCommand::Idle);
    stop.Wait(kAfterTransferPauseMs);
    return;
  }
  const bool queued = queue.PushFront({static_cast<std::uint32_t>(WriteKind::Abort), {}});
  if (!queued) Trace(trace::kCantAddAbortPacket);
  comm.printerCommandState = static_cast<int>(PrinterCommand::Idle);
  // The writer answers the abort with transfer complete; taking that answer here
  // keeps it from passing for the completion of the next erase command.
  if (queued) {
    queue.transferComplete.Wait(kAfterTransferPauseMs);
  } else {
    stop.Wait(kAfterTransferPauseMs);
  }
}

}  // namespace dotforge
