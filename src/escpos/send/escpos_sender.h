#pragma once
// Sending an ESC/POS stream to a printer. Every wait is on the descriptor and
// the caller's cancel together, so a cancel takes effect at any moment: while
// the host is looked up or connecting it ends the send at once; while the
// printer takes its bytes no byte of a new command is handed over, the
// command cut is completed with blank dots and the send ends once those have
// left, or once nothing has left for kFinishStallMs.

#include <cstddef>
#include <functional>
#include <string>

#include "escpos/streams/command_stream.h"
#include "escpos/send/escpos_target.h"
#include "platform/bytes.h"
#include "platform/event.h"

namespace dotforge {

// How long a cancelled send waits for the completion of the command it cut
// while nothing leaves.
inline constexpr int kFinishStallMs = 1000;

// How many of the bytes have left for the printer (`sent` of `total`).
using EscPosProgress = std::function<void(std::size_t sent, std::size_t total)>;

struct EscPosSendResult {
  enum class Status { Sent, Cancelled, Failed } status = Status::Failed;
  // The message to show; empty when sent.
  std::string message;
};

// Opens the target, writes every byte, waits until they have left (a serial
// line at its baud rate, a socket's bytes acknowledged by the printer), and
// closes. `cancel` must be a manual-reset event; it may be set from any thread.
// A cancel that cut nothing, the last byte being handed over already, ends as
// sent once the bytes have left.
EscPosSendResult SendEscPos(const EscPosTarget& target, const CommandStream& stream, Event& cancel,
                            const EscPosProgress& progress = {}, const EscPosLimits& limits = {});

}  // namespace dotforge
