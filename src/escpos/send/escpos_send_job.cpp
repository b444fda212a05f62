#include "escpos/send/escpos_send_job.h"

#include <utility>

namespace dotforge {

EscPosSendJob::EscPosSendJob(const EscPosTarget& target, CommandStream stream, const EscPosLimits& limits)
    : stream_(std::move(stream)), total_(stream_.bytes.size()) {
  thread_ = std::thread(&EscPosSendJob::Run, this, target, limits);
}

EscPosSendJob::~EscPosSendJob() {
  cancel_.Set();
  thread_.join();
}

std::optional<EscPosSendResult> EscPosSendJob::Result() const {
  const std::lock_guard lock(mutex_);
  return result_;
}

void EscPosSendJob::Run(EscPosTarget target, EscPosLimits limits) {
  EscPosSendResult result =
      SendEscPos(target, stream_, cancel_, [this](std::size_t sent, std::size_t) { sent_.store(sent); }, limits);
  const std::lock_guard lock(mutex_);
  result_ = std::move(result);
}

}  // namespace dotforge
