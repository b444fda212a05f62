#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "printer/reply_readers.h"
#include "printer/stream_sender.h"
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

// Sends the steps first..last (the last one awaits the printer's answer) and
// shows each step's progress once its bytes have left the line.
bool SendSteps(const WorkerContext& worker, const DownloadStream& stream, std::size_t first, std::size_t last) {
  const std::size_t offset = stream.steps[first].offset;
  const std::size_t length = stream.steps[last].offset + stream.steps[last].length - offset;
  std::size_t next = first;
  const auto progress = [&](std::size_t sent) {
    for (; next <= last && stream.steps[next].offset + stream.steps[next].length <= offset + sent; ++next) {
      if (stream.steps[next].progress >= 0) ShowProgress(worker.sink, stream.steps[next].progress);
    }
  };
  const SendOutcome outcome = SendAndDrain(worker, ByteView(stream.bytes).subspan(offset, length), progress);
  if (!ReportSend(worker, outcome, msg::kErrorReadAborted)) return false;
  progress(length);
  return true;
}

}  // namespace

void RunDownloadWorker(const WorkerContext& worker, const DownloadStream& stream) {
  ShowProgress(worker.sink, 0);
  std::size_t first = 0;
  for (std::size_t i = 0; i < stream.steps.size(); ++i) {
    if (!stream.steps[i].awaitReply) continue;
    if (!SendSteps(worker, stream, first, i)) return;
    first = i + 1;
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
  if (!ReportSend(worker, SendAndDrain(worker, stream), msg::kErrorReadAborted)) return;
  ShowProgress(worker.sink, 100);
  const ReplyStatus status = AwaitReply(worker, ReadPrintCharacterReply);
  if (status == ReplyStatus::More) return;
  if (status == ReplyStatus::Refused) worker.sink.ShowMessage(msg::kErrorDownloadFailure);
  if (status == ReplyStatus::Invalid) worker.sink.ShowMessage(msg::kErrorInvalidResponse);
  worker.sink.EnableOk();
}

}  // namespace dotforge
