#include "escpos/send/escpos_sender.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "escpos/send/device_output.h"
#include "escpos/escpos_messages.h"
#include "escpos/send/network_output.h"
#include "escpos/send/serial_output.h"

namespace dotforge {
namespace {

// How often a wait for bytes to leave looks at the backlog again: soon at
// first, less often while nothing moves. The wait is on the cancel, which ends
// it at once.
constexpr int kFirstLookMs = 1;
constexpr int kLongestLookMs = 10;

enum class Step { Moved, Idle, Cancelled, Failed };

OpenedOutput Open(const EscPosTarget& target, Event& cancel, const EscPosLimits& limits) {
  switch (target.kind) {
    case EscPosLinkKind::Network:
      return OpenNetworkOutput(target, cancel, limits.connectMs);
    case EscPosLinkKind::Device:
      return OpenDeviceOutput(target.path);
    case EscPosLinkKind::Serial:
      return OpenSerialOutput(target.path, target.line);
  }
  return {};
}

class Transfer {
 public:
  Transfer(EscPosOutput& output, const CommandStream& stream, Event& cancel, const EscPosProgress& progress,
           int stallMs)
      : output_(output), stream_(stream), bytes_(stream.bytes), cancel_(cancel), progress_(progress),
        stallMs_(stallMs) {}

  EscPosSendResult Run() {
    while (written_ < bytes_.size()) {
      if (!Advance(WriteStep())) return Give();
    }
    if (const int error = output_.EndOfData(); error != 0) return Fail(output_.WriteFailedMessage(error));
    while (Left() < bytes_.size()) {
      if (!Advance(WaitStep())) return Give();
    }
    if (cut_) return {EscPosSendResult::Status::Cancelled, msg::kEscPosCancelled};
    // The last bytes may have left between two looks: the end is reported too.
    if (reported_ < bytes_.size() && progress_) progress_(bytes_.size(), bytes_.size());
    return {EscPosSendResult::Status::Sent, {}};
  }

 private:
  std::size_t Left() const { return written_ - std::min(written_, output_.Backlog()); }
  // While finishing, the cancel is set and no longer watched.
  int CancelFd() const { return finishing_ ? -1 : cancel_.Fd(); }

  // Writes what the connection takes, or waits for room or for bytes to leave.
  Step WriteStep() {
    if (output_.Backlog() >= output_.Window()) return WaitStep();
    pollfd watched[2] = {{CancelFd(), POLLIN, 0}, {output_.Fd(), POLLOUT, 0}};
    const int ready = poll(watched, 2, kLongestLookMs);
    if (ready < 0) return errno == EINTR ? Step::Idle : Fail(errno);
    if (watched[0].revents) return Step::Cancelled;
    if (ready == 0) return Step::Idle;
    const std::size_t count = std::min(bytes_.size() - written_, output_.Window());
    const ssize_t done = output_.Write(ByteView(bytes_).subspan(written_, count));
    if (done < 0) return errno == EAGAIN || errno == EINTR ? Step::Idle : Fail(errno);
    written_ += static_cast<std::size_t>(done);
    return Step::Moved;
  }

  Step WaitStep() {
    pollfd watched{CancelFd(), POLLIN, 0};
    if (poll(&watched, 1, lookMs_) > 0) return Step::Cancelled;
    lookMs_ = std::min(lookMs_ * 2, kLongestLookMs);
    if (const int error = output_.PendingError(); error != 0) return Fail(error);
    return Step::Idle;
  }

  Step Fail(int error) {
    failure_ = output_.WriteFailedMessage(error);
    return Step::Failed;
  }
  EscPosSendResult Fail(std::string message) {
    failure_ = std::move(message);
    return Give();
  }

  // The cancel came: what is written stays, and the command it cuts is
  // completed, so the printer is left between two commands.
  void Finish() {
    finishing_ = true;
    cut_ = written_ < bytes_.size();
    const Bytes completion = stream_.CompletionAt(written_);
    bytes_.resize(written_);
    bytes_.insert(bytes_.end(), completion.begin(), completion.end());
    stallMs_ = kFinishStallMs;
    stall_ = Deadline(stallMs_);
  }

  // False when the transfer ends here. Progress is what has left; the stall
  // limit runs while nothing leaves.
  bool Advance(Step step) {
    if (step == Step::Failed) return false;
    if (step == Step::Cancelled) {
      Finish();
      return true;
    }
    // A socket's queue counts the end-of-data mark too, so what has left may
    // seem to step back by one; progress only goes forward.
    const std::size_t left = Left();
    if (left > reported_ || step == Step::Moved) {
      // A completion is no part of the stream: its progress is not shown.
      if (left > reported_ && progress_ && !finishing_) progress_(left, bytes_.size());
      reported_ = std::max(reported_, left);
      stall_ = Deadline(stallMs_);
      lookMs_ = kFirstLookMs;
      return true;
    }
    if (stall_.Passed()) {
      // A completion the printer does not take ends as cancelled all the same.
      if (!finishing_) failure_ = output_.StalledMessage();
      return false;
    }
    return true;
  }

  EscPosSendResult Give() {
    output_.Discard();
    if (failure_.empty()) return {EscPosSendResult::Status::Cancelled, msg::kEscPosCancelled};
    return {EscPosSendResult::Status::Failed, failure_};
  }

  EscPosOutput& output_;
  const CommandStream& stream_;
  Bytes bytes_;
  Event& cancel_;
  const EscPosProgress& progress_;
  int stallMs_;
  std::size_t written_ = 0;
  std::size_t reported_ = 0;
  int lookMs_ = kFirstLookMs;
  Deadline stall_{stallMs_};
  bool finishing_ = false;
  bool cut_ = false;
  std::string failure_;
};

}  // namespace

std::string HostLabel(const EscPosTarget& target) {
  const bool ipv6 = target.host.find(':') != std::string::npos;
  return (ipv6 ? "[" + target.host + "]" : target.host) + ":" + std::to_string(target.port);
}

EscPosSendResult SendEscPos(const EscPosTarget& target, const CommandStream& stream, Event& cancel,
                            const EscPosProgress& progress, const EscPosLimits& limits) {
  OpenedOutput opened = Open(target, cancel, limits);
  if (opened.cancelled) return {EscPosSendResult::Status::Cancelled, msg::kEscPosCancelled};
  if (!opened.output) return {EscPosSendResult::Status::Failed, opened.message};
  return Transfer(*opened.output, stream, cancel, progress, limits.stallMs).Run();
}

}  // namespace dotforge
