#pragma once
// The five printer commands: the one-command-at-a-time start rule, the dialogs'
// workers and the erase transfer thread. Each command returns the sink its
// dialog drains, or nothing when it did not start (ignored, or a message was
// shown). The commands own every thread they start: Shutdown (and the
// destructor) stops them all and closes the interface, so closing the program
// in the middle of a command neither hangs nor leaves the line raised.

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "comm/comm_context.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "printer/workers.h"

namespace dotforge {

class CPrinterCommands {
 public:
  static constexpr int kStopTransferLimitMs = 3000;
  // Every wait of a worker wakes on its stop event; a worker that has not
  // ended this long after being stopped is left to end by itself.
  static constexpr int kStopWorkerLimitMs = 1000;

  CPrinterCommands(CCommContext& comm, Prompt& prompt, ReplyLimits limits = {});
  CPrinterCommands(const CPrinterCommands&) = delete;
  CPrinterCommands& operator=(const CPrinterCommands&) = delete;
  ~CPrinterCommands();

  std::shared_ptr<WorkerSink> DownloadEntireFont(const CDotforgeImportDoc& doc);
  std::shared_ptr<WorkerSink> DownloadAndPrintOneCharacter(const CDotforgeImportDoc& doc);
  std::shared_ptr<WorkerSink> ReadPrinterFontInfos();
  std::shared_ptr<WorkerSink> CheckAvailableMemory();
  std::shared_ptr<WorkerSink> ErasePrinterFonts();

  // Stops every worker and the transfer thread, then closes the interface.
  void Shutdown();

 private:
  struct Worker {
    std::shared_ptr<WorkerSink> sink = std::make_shared<WorkerSink>();
    std::unique_ptr<Event> stop = std::make_unique<Event>(ResetMode::Manual);
    std::unique_ptr<Event> ended = std::make_unique<Event>(ResetMode::Manual);
    std::thread thread;
  };
  struct Transfer {
    // The transfer reports through no dialog: its sink is never drained.
    std::shared_ptr<WorkerSink> sink = std::make_shared<WorkerSink>();
    std::unique_ptr<Event> stop = std::make_unique<Event>(ResetMode::Manual);
    std::unique_ptr<Event> ended = std::make_unique<Event>(ResetMode::Manual);
    std::shared_ptr<std::atomic<TransferOutcome>> outcome =
        std::make_shared<std::atomic<TransferOutcome>>(TransferOutcome::Pending);
    std::thread thread;
  };
  // The start rule: a repeat of the running command replaces its worker; any
  // other running command makes this one be ignored.
  bool MayStart(PrinterCommand command);
  // Opens the interface and sets the state; false when it could not be opened.
  bool Begin(PrinterCommand command);
  // `cancellable`: the worker takes the user's cancel requests through the sink.
  template <typename Function>
  std::shared_ptr<WorkerSink> StartWorker(const std::shared_ptr<WorkerSink>& sink, bool setsIdle, bool cancellable,
                                          Function body);
  WorkerContext ContextFor(WorkerSink& sink, Event& stop);
  // Stops the workers still around: a worker whose dialog has closed must not
  // read the replies meant for the next command. Those that end in time are
  // joined, the others are kept to be joined once they have ended.
  void StopWorkers();
  void JoinEnded();
  bool StopTransfer(int limitMs);
  bool StartTransfer();

  CCommContext& comm_;
  Prompt& prompt_;
  ReplyLimits limits_;
  std::vector<Worker> workers_;
  std::vector<Worker> strandedWorkers_;
  Transfer transfer_;
  std::vector<Transfer> strandedTransfers_;
  std::uint64_t nextOwner_ = 1;
};

}  // namespace dotforge
