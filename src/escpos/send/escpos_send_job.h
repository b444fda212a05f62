#pragma once
// A send to an ESC/POS printer on a thread of its own, for a front end that
// must not wait: it asks how far the send got and whether it ended, from its
// own thread, and may cancel at any moment. Dropping the job cancels a send
// still running and waits for its thread, which ends the command in progress.

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>

#include "escpos/send/escpos_sender.h"
#include "platform/event.h"

namespace dotforge {

class EscPosSendJob {
 public:
  EscPosSendJob(const EscPosTarget& target, CommandStream stream, const EscPosLimits& limits = {});
  ~EscPosSendJob();
  EscPosSendJob(const EscPosSendJob&) = delete;
  EscPosSendJob& operator=(const EscPosSendJob&) = delete;

  void Cancel() { cancel_.Set(); }
  std::size_t Sent() const { return sent_.load(); }
  std::size_t Total() const { return total_; }
  // The outcome once the send has ended; nothing while it runs.
  std::optional<EscPosSendResult> Result() const;

 private:
  void Run(EscPosTarget target, EscPosLimits limits);

  CommandStream stream_;
  std::size_t total_;
  Event cancel_{ResetMode::Manual};
  std::atomic<std::size_t> sent_{0};
  mutable std::mutex mutex_;
  std::optional<EscPosSendResult> result_;
  std::thread thread_;
};

}  // namespace dotforge
