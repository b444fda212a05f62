#pragma once
// Sending an ESC/POS stream to a printer. Every wait is on the descriptor and
// the caller's cancel together, so a cancel ends the send at any moment: while
// the host is looked up, while connecting, while the printer takes its bytes.

#include <cstddef>
#include <functional>
#include <string>

#include "escpos/escpos_target.h"
#include "platform/bytes.h"
#include "platform/event.h"

namespace dotforge {

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
EscPosSendResult SendEscPos(const EscPosTarget& target, ByteView bytes, Event& cancel,
                            const EscPosProgress& progress = {}, const EscPosLimits& limits = {});

}  // namespace dotforge
