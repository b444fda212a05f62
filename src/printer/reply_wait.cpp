#include "printer/workers.h"

namespace dotforge {

ByteWait NextReplyByte(const WorkerContext& worker, int limitMs, std::uint8_t& byte) {
  Event* const abandon = worker.cancellable ? &worker.sink.StopRequested() : nullptr;
  switch (worker.comm.WaitForData(1, limitMs, {&worker.stop, abandon})) {
    case kWaitReady:
      byte = worker.comm.GetByte();
      return ByteWait::Received;
    case kWaitAborted:
      if (worker.stop.Test()) return ByteWait::Stopped;
      return abandon && abandon->Test() ? ByteWait::Abandoned : ByteWait::Aborted;
    default:
      return ByteWait::TimedOut;
  }
}

}  // namespace dotforge
