#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "printer/reply_readers.h"
#include "printer/workers.h"

namespace dotforge {
namespace {

void ShowProgress(WorkerSink& sink, int percent) {
  sink.SetProgress(percent);
  sink.SetField(printer_ui::kDownloadPercentText, std::to_string(percent) + " %");
}

// Reads until the reader accepts or refuses. Returns Accepted, Refused or
// Invalid, or More when the transaction ended otherwise (message already shown,
// or stopped).
template <typename Reader>
ReplyStatus AwaitReply(const WorkerContext& worker, Reader read) {
  for (;;) {
    std::uint8_t byte = 0;
    switch (NextReplyByte(worker, worker.limits.replyMs, byte)) {
      case ByteWait::Received:
        break;
      case ByteWait::TimedOut:
        worker.sink.ShowMessage(msg::kErrorResponseNotReceived);
        worker.sink.EnableOk();
        return ReplyStatus::More;
      case ByteWait::Aborted:
        worker.sink.ShowMessage(msg::kErrorReadAborted);
        return ReplyStatus::More;
      case ByteWait::Stopped:
        return ReplyStatus::More;
    }
    const ReplyStatus status = read(byte);
    if (status != ReplyStatus::More) return status;
  }
}

}  // namespace

void RunDownloadWorker(const WorkerContext& worker, const DownloadStream& stream) {
  ShowProgress(worker.sink, 0);
  for (std::size_t i = 0; i < stream.steps.size(); ++i) {
    const DownloadStep& step = stream.steps[i];
    worker.comm.Send(ByteView(stream.bytes).subspan(step.offset, step.length));
    if (step.progress >= 0) ShowProgress(worker.sink, step.progress);
    if (!step.awaitReply) continue;
    const ReplyStatus status = AwaitReply(worker, ReadDownloadReply);
    if (status == ReplyStatus::More) return;
    if (status == ReplyStatus::Refused) {
      worker.sink.ShowMessage(msg::kErrorDownloadFailure);
      // Refused after the whole stream the transaction is over; refused after
      // a block the printer is left in the middle of a font.
      if (i + 1 == stream.steps.size()) worker.sink.EnableOk();
      return;
    }
  }
  worker.sink.EnableOk();
}

void RunPrintCharacterWorker(const WorkerContext& worker, const Bytes& stream) {
  ShowProgress(worker.sink, 0);
  worker.comm.Send(stream);
  ShowProgress(worker.sink, 100);
  const ReplyStatus status = AwaitReply(worker, ReadPrintCharacterReply);
  if (status == ReplyStatus::More) return;
  if (status == ReplyStatus::Refused) worker.sink.ShowMessage(msg::kErrorDownloadFailure);
  if (status == ReplyStatus::Invalid) worker.sink.ShowMessage(msg::kErrorInvalidResponse);
  worker.sink.EnableOk();
}

}  // namespace dotforge
