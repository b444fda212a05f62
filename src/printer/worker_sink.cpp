#include "printer/worker_sink.h"

namespace dotforge {

template <typename Change>
void WorkerSink::Post(Change change) {
  {
    const std::lock_guard lock(mutex_);
    if (detached_) return;
    change();
    hasNews_ = true;
  }
  changed_.notify_all();
}

void WorkerSink::SetProgress(int percent) {
  Post([&] { pending_.progress.push_back(percent); });
}

void WorkerSink::SetField(int controlId, std::string text) {
  Post([&] { pending_.fields.emplace_back(controlId, std::move(text)); });
}

void WorkerSink::ShowMessage(std::string text) {
  Post([&] { pending_.messages.push_back(std::move(text)); });
}

void WorkerSink::Notify(int notification) {
  Post([&] { pending_.notifications.push_back(notification); });
}

void WorkerSink::EnableOk() {
  Post([&] { okEnabled_ = true; });
}

void WorkerSink::Finish() {
  {
    const std::lock_guard lock(mutex_);
    finished_ = true;
    hasNews_ = true;
  }
  changed_.notify_all();
}

WorkerSink::Update WorkerSink::Drain() {
  const std::lock_guard lock(mutex_);
  Update update = std::move(pending_);
  pending_ = Update{};
  update.okEnabled = okEnabled_;
  update.finished = finished_;
  hasNews_ = false;
  return update;
}

bool WorkerSink::WaitForUpdate(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return hasNews_ || finished_; });
}

void WorkerSink::Detach() {
  const std::lock_guard lock(mutex_);
  detached_ = true;
}

bool WorkerSink::Detached() const {
  const std::lock_guard lock(mutex_);
  return detached_;
}

bool WorkerSink::Finished() const {
  const std::lock_guard lock(mutex_);
  return finished_;
}

void WorkerSink::RequestCancel() {
  if (cancelRequested_.Test()) stopRequested_.Set();
  cancelRequested_.Set();
}

}  // namespace dotforge
