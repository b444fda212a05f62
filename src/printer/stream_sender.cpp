#include "printer/stream_sender.h"

#include <algorithm>
#include <vector>

#include "printer/printer_messages.h"

namespace dotforge {
namespace {

// How often the line's progress is looked at while bytes go out: bytes leave a
// paced line as time passes, with no signal of their own.
constexpr int kPollMs = 10;
// How long a lost send waits to learn whether the line went away.
constexpr int kLineGoneMs = 250;

}  // namespace

SendOutcome SendAndDrain(const WorkerContext& worker, ByteView bytes, const SentProgress& progress,
                         std::size_t* kept) {
  CWriteQueue& queue = worker.comm.WriteQueue();
  const std::uint64_t from = queue.QueuedPosition();
  std::uint64_t end = from;
  std::size_t queued = 0;
  std::uint64_t left = queue.LeftPosition();
  Deadline stall(worker.limits.replyMs);
  std::vector<Event*> events{&worker.stop, &worker.comm.AbortSignal(), &queue.sendProgress};
  if (worker.cancellable) events.push_back(&worker.sink.StopRequested());
  if (worker.cancellable && kept) events.push_back(&worker.sink.CancelRequested());
  const auto run = [&] {
    for (;;) {
      while (queued < bytes.size()) {
        const ByteView piece = bytes.subspan(queued, std::min(worker.comm.LargestWrite(), bytes.size() - queued));
        const auto position = queue.AppendWrite(Bytes(piece.begin(), piece.end()), worker.owner);
        if (!position) break;  // full: room comes as the line takes bytes
        end = *position;
        queued += piece.size();
      }
      // The reader ends when the line goes away; lost bytes are then its doing.
      if (!worker.comm.ReaderRunning()) return SendOutcome::Gone;
      if (queue.LostPosition() > from) return SendOutcome::Lost;
      const std::uint64_t now = queue.LeftPosition();
      if (now > left) {
        left = now;
        stall = Deadline(worker.limits.replyMs);
        if (progress && left > from) progress(static_cast<std::size_t>(std::min<std::uint64_t>(left - from, queued)));
      }
      if (queued == bytes.size() && left >= end) return SendOutcome::Sent;
      // A line faster than its baud rate (a virtual one): once the device has
      // every byte and the printer has answered, the bytes have arrived.
      if (queued == bytes.size() && queue.HandedPosition() >= end && worker.comm.GetCount() > 0) {
        return SendOutcome::Sent;
      }
      if (stall.Passed()) return SendOutcome::Stalled;
      const WaitOutcome wait = WaitForAny(events, std::min(kPollMs, stall.RemainingMs()));
      if (wait.kind == WaitOutcome::Kind::Signaled && wait.index != 2) {
        constexpr SendOutcome kByEvent[] = {SendOutcome::Stopped, SendOutcome::Aborted, SendOutcome::Sent,
                                            SendOutcome::Abandoned, SendOutcome::Cancelled};
        return kByEvent[wait.index];
      }
    }
  };
  SendOutcome outcome = run();
  // A write fails as the line goes away, a moment before the reader sees it.
  if (outcome == SendOutcome::Lost && worker.comm.WaitForReaderEnd(kLineGoneMs)) outcome = SendOutcome::Gone;
  if (outcome == SendOutcome::Cancelled) {
    *kept = static_cast<std::size_t>(std::clamp(queue.Withdraw(worker.owner), from, end) - from);
  } else if (outcome != SendOutcome::Sent) {
    worker.comm.TakeBack(worker.owner);
  }
  return outcome;
}

bool ReportSend(const WorkerContext& worker, SendOutcome outcome, const char* aborted) {
  switch (outcome) {
    case SendOutcome::Sent:
      return true;
    case SendOutcome::Stopped:
    case SendOutcome::Cancelled:
      return false;
    case SendOutcome::Abandoned:
      worker.sink.ShowMessage(msg::kDownloadAbandoned);
      break;
    case SendOutcome::Aborted:
      worker.sink.ShowMessage(aborted);
      return false;
    case SendOutcome::Stalled:
      worker.sink.ShowMessage(msg::kErrorLineStalled);
      break;
    case SendOutcome::Lost:
      worker.sink.ShowMessage(msg::kErrorSendFailed);
      break;
    case SendOutcome::Gone:
      worker.sink.ShowMessage(msg::kPrinterGone);
      break;
  }
  worker.sink.EnableOk();
  return false;
}

}  // namespace dotforge
