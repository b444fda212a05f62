#pragma once
// A printer's raw TCP port: the host looked up and connected without blocking
// (the cancel and the connect limit end either at once), then written as a
// stream; the end of data shuts down the sending side.

#include "escpos/send/escpos_output.h"
#include "escpos/send/escpos_target.h"
#include "platform/event.h"

namespace dotforge {

OpenedOutput OpenNetworkOutput(const EscPosTarget& target, Event& cancel, int connectMs);

// The message for a connect that failed with `error`, naming the host.
std::string ConnectFailureMessage(const std::string& hostLabel, int error);

}  // namespace dotforge
