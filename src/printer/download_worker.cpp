#include <cstdio>

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
        worker.sink.ShowMessage(worker.comm.ReaderRunning() ? msg::kErrorResponseNotReceived : msg::kPrinterGone);
        worker.sink.EnableOk();
        return ReplyStatus::More;
      case ByteWait::Aborted:
        worker.sink.ShowMessage(msg::kErrorReadAborted);
        return ReplyStatus::More;
      case ByteWait::Abandoned:
        worker.sink.ShowMessage(msg::kDownloadAbandoned);
        worker.sink.EnableOk();
        return ReplyStatus::More;
      case ByteWait::Stopped:
        return ReplyStatus::More;
    }
    const ReplyStatus status = read(byte);
    if (status != ReplyStatus::More) return status;
  }
}

// Sends the steps first..last (the last one awaits the printer's answer) and
// shows each step's progress once its bytes have left the line. On the user's
// cancel request `sent` tells how far into the stream the printer gets.
SendOutcome SendSteps(const WorkerContext& worker, const DownloadStream& stream, std::size_t first, std::size_t last,
                      std::size_t& sent) {
  const std::size_t offset = stream.steps[first].offset;
  const std::size_t length = stream.steps[last].offset + stream.steps[last].length - offset;
  std::size_t next = first;
  const auto progress = [&](std::size_t out) {
    for (; next <= last && stream.steps[next].offset + stream.steps[next].length <= offset + out; ++next) {
      if (stream.steps[next].progress >= 0) ShowProgress(worker.sink, stream.steps[next].progress);
    }
  };
  std::size_t kept = 0;
  const SendOutcome outcome = SendAndDrain(worker, ByteView(stream.bytes).subspan(offset, length), progress, &kept);
  sent = offset + (outcome == SendOutcome::Cancelled ? kept : length);
  if (outcome == SendOutcome::Sent) progress(length);
  return outcome;
}

// The user cancelled with the stream out up to `position`: the printer is
// taken out of the font with blank cells, and told to hold an incomplete one.
void FinishCancelled(const WorkerContext& worker, const DownloadStream& stream, std::size_t position) {
  for (const Bytes& piece : CancelTail(stream, position)) {
    if (!ReportSend(worker, SendAndDrain(worker, piece), msg::kErrorReadAborted)) return;
    // Whatever the answer, the printer has left the command.
    if (AwaitReply(worker, ReadDownloadReply) == ReplyStatus::More) return;
  }
  char text[160];
  std::snprintf(text, sizeof text, msg::kDownloadCancelled, static_cast<char>(stream.slot));
  worker.sink.ShowMessage(text);
  worker.sink.EnableOk();
}

}  // namespace

void RunDownloadWorker(const WorkerContext& worker, const DownloadStream& stream) {
  ShowProgress(worker.sink, 0);
  std::size_t first = 0;
  for (std::size_t i = 0; i < stream.steps.size(); ++i) {
    if (!stream.steps[i].awaitReply) continue;
    std::size_t sent = 0;
    SendOutcome outcome = SendSteps(worker, stream, first, i, sent);
    // A cancel that comes once the device holds the whole command cannot cut
    // it: the command goes out whole, and the printer answers it.
    if (outcome == SendOutcome::Cancelled && sent == stream.steps[i].offset + stream.steps[i].length) {
      outcome = SendAndDrain(worker, {});
    }
    if (outcome == SendOutcome::Cancelled) return FinishCancelled(worker, stream, sent);
    if (!ReportSend(worker, outcome, msg::kErrorReadAborted)) return;
    first = i + 1;
    const ReplyStatus status = AwaitReply(worker, ReadDownloadReply);
    if (status == ReplyStatus::More) return;
    if (status == ReplyStatus::Refused) {
      worker.sink.ShowMessage(msg::kErrorFontRefused);
      // Refused after the whole stream the transaction is over; refused after
      // a block the printer is left in the middle of a font.
      if (i + 1 == stream.steps.size()) worker.sink.EnableOk();
      return;
    }
    if (first < stream.steps.size() && worker.cancellable && worker.sink.CancelRequested().Test()) {
      return FinishCancelled(worker, stream, sent);
    }
  }
  if (worker.cancellable && worker.sink.CancelRequested().Test()) {
    worker.sink.ShowMessage(msg::kDownloadFinishedBeforeCancel);
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
