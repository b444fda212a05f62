#pragma once
// What a printer worker reports to its dialog. Workers run on their own threads
// and never touch a widget: they post here, and the dialog (or the command-line
// tool) drains the sink on its own thread. A dialog that closes early detaches;
// the worker keeps a reference, so nothing it uses goes away under it, and what
// it posts afterwards is dropped.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/event.h"

namespace dotforge {

class WorkerSink {
 public:
  struct Update {
    std::vector<int> progress;                       // percents, in order
    std::vector<std::pair<int, std::string>> fields;  // control id, text
    std::vector<std::string> messages;                // to show in message boxes, in order
    std::vector<int> notifications;                   // 1034, 1035
    bool okEnabled = false;                           // the OK button's state now
    bool finished = false;                            // the worker has ended
  };

  // Worker side.
  void SetProgress(int percent);
  void SetField(int controlId, std::string text);
  void ShowMessage(std::string text);
  void Notify(int notification);
  void EnableOk();
  void Finish();

  // Dialog side: everything posted since the last drain.
  Update Drain();
  // Waits until something is posted or the worker ends; false on time-out.
  bool WaitForUpdate(std::chrono::milliseconds timeout);
  // The dialog has closed: later posts are dropped.
  void Detach();
  bool Detached() const;
  bool Finished() const;
  // The user asks the worker to stop: the first request lets it finish the
  // printer command in progress so that the printer leaves it, a second one
  // stops it at once. Workers that cannot stop part way ignore both.
  void RequestCancel();

  // Worker side: set by the first request, and by the second.
  Event& CancelRequested() { return cancelRequested_; }
  Event& StopRequested() { return stopRequested_; }

 private:
  template <typename Change>
  void Post(Change change);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Update pending_;
  bool hasNews_ = false;
  bool detached_ = false;
  bool finished_ = false;
  bool okEnabled_ = false;
  Event cancelRequested_{ResetMode::Manual};
  Event stopRequested_{ResetMode::Manual};
};

}  // namespace dotforge
