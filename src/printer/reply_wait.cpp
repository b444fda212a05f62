#include "printer/workers.h"

namespace dotforge {

ByteWait NextReplyByte(const WorkerContext& worker, int limitMs, std::uint8_t& byte) {
  switch (worker.comm.WaitForData(1, limitMs, &worker.stop)) {
    case kWaitReady:
      byte = worker.comm.GetByte();
      return ByteWait::Received;
    case kWaitAborted:
      return worker.stop.Test() ? ByteWait::Stopped : ByteWait::Aborted;
    default:
      return ByteWait::TimedOut;
  }
}

}  // namespace dotforge
