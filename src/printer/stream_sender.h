#pragma once
// Sending a command's bytes and knowing when they are out. A reply can only be
// expected once the last byte has left the line, so every reply limit starts
// there. While the bytes go out, the line must keep moving: when no byte leaves
// it within the reply limit, it is stalled and the command fails.

#include <cstddef>
#include <functional>

#include "platform/bytes.h"
#include "printer/workers.h"

namespace dotforge {

enum class SendOutcome {
  Sent,     // every byte has left the line
  Stopped,  // the worker's stop event
  Aborted,  // the abort signal (consumed)
  Stalled,  // no byte left the line within the reply limit
  Lost,     // some bytes were dropped or refused on the way
  Gone,     // the line went away (hung up, unplugged)
  Cancelled,  // the user's cancel request: what the writer had not taken is withdrawn
  Abandoned,  // the user's stop request
};

// Called with how many of the bytes have left the line so far.
using SentProgress = std::function<void(std::size_t sent)>;

// Queues `bytes` (waiting for room when the queue is full) and waits until they
// have all left the line, or the device has them all and the printer has
// already answered. Anything but Sent and Cancelled takes back what is still
// queued. With `kept`, a cancellable worker's cancel request ends the send
// with Cancelled, and `kept` tells how many of the bytes still reach the
// printer; without it the cancel request is not looked at.
SendOutcome SendAndDrain(const WorkerContext& worker, ByteView bytes, const SentProgress& progress = {},
                         std::size_t* kept = nullptr);

// Shows the message for a send that did not get through, with `aborted` for
// the abort signal; nothing for Stopped and Cancelled. Stalled, lost and
// abandoned sends end the transaction with OK enabled. True when the bytes
// were sent.
bool ReportSend(const WorkerContext& worker, SendOutcome outcome, const char* aborted);

}  // namespace dotforge
