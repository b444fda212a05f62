#include "printer/printer_commands.h"

#include <string>
#include <system_error>

#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"

namespace dotforge {

CPrinterCommands::CPrinterCommands(CCommContext& comm, Prompt& prompt, ReplyLimits limits)
    : comm_(comm), prompt_(prompt), limits_(limits) {}

CPrinterCommands::~CPrinterCommands() { Shutdown(); }

bool CPrinterCommands::MayStart(PrinterCommand command) {
  const int state = comm_.printerCommandState;
  if (state == static_cast<int>(command)) {
    comm_.AbortSignal().Set();
    StopWorkers();
    comm_.printerCommandState = static_cast<int>(PrinterCommand::Idle);
    return true;
  }
  return state == static_cast<int>(PrinterCommand::Idle);
}

bool CPrinterCommands::Begin(PrinterCommand command) {
  StopWorkers();
  comm_.AbortSignal().Reset();
  if (!comm_.OpenInterface()) return false;
  // A reply that came too late for an earlier command is not this one's.
  comm_.FlushReceived();
  comm_.printerCommandState = static_cast<int>(command);
  return true;
}

WorkerContext CPrinterCommands::ContextFor(WorkerSink& sink, Event& stop) {
  return WorkerContext{comm_, sink, stop, limits_, nextOwner_++, comm_.settings.flowControl == kFlowXonXoff};
}

template <typename Function>
std::shared_ptr<WorkerSink> CPrinterCommands::StartWorker(const std::shared_ptr<WorkerSink>& sink, bool setsIdle,
                                                          bool cancellable, Function body) {
  Worker worker;
  worker.sink = sink;
  WorkerContext context = ContextFor(*worker.sink, *worker.stop);
  context.cancellable = cancellable;
  try {
    worker.thread = std::thread(
        [context, body = std::move(body), setsIdle, sink = worker.sink, ended = worker.ended.get(), this] {
          body(context);
          if (setsIdle) comm_.printerCommandState = static_cast<int>(PrinterCommand::Idle);
          sink->Finish();
          ended->Set();
        });
  } catch (const std::system_error&) {
    if (setsIdle) comm_.printerCommandState = static_cast<int>(PrinterCommand::Idle);
    prompt_.ShowMessage(msg::kErrorCreateWorkerThread);
    return nullptr;
  }
  workers_.push_back(std::move(worker));
  return sink;
}

void CPrinterCommands::StopWorkers() {
  for (Worker& worker : workers_) worker.stop->Set();
  const Deadline deadline(kStopWorkerLimitMs);
  for (Worker& worker : workers_) {
    worker.ended->Wait(deadline.RemainingMs());
    strandedWorkers_.push_back(std::move(worker));
  }
  workers_.clear();
  JoinEnded();
}

void CPrinterCommands::JoinEnded() {
  std::erase_if(strandedWorkers_, [](Worker& worker) {
    if (!worker.ended->Wait(0)) return false;
    worker.thread.join();
    return true;
  });
}

std::shared_ptr<WorkerSink> CPrinterCommands::DownloadEntireFont(const CDotforgeImportDoc& doc) {
  if (!MayStart(PrinterCommand::DownloadFont)) return nullptr;
  // The worker gets its own copy of the stream, so the font set may change or
  // close while the download runs.
  std::optional<DownloadStream> stream = BuildDownloadStream(doc, prompt_);
  if (!stream || !Begin(PrinterCommand::DownloadFont)) return nullptr;
  auto sink = std::make_shared<WorkerSink>();
  return StartWorker(sink, true, true, [stream = std::move(*stream)](const WorkerContext& worker) {
    RunDownloadWorker(worker, stream);
  });
}

std::shared_ptr<WorkerSink> CPrinterCommands::DownloadAndPrintOneCharacter(const CDotforgeImportDoc& doc) {
  if (!doc.selected) {
    prompt_.ShowMessage(msg::kSelectCharacterFirst);
    return nullptr;
  }
  if (!MayStart(PrinterCommand::PrintOneCharacter)) return nullptr;
  Bytes stream = PrintCharacterStream(doc, *doc.selected);
  if (!Begin(PrinterCommand::PrintOneCharacter)) return nullptr;
  auto sink = std::make_shared<WorkerSink>();
  return StartWorker(sink, true, true, [stream = std::move(stream)](const WorkerContext& worker) {
    RunPrintCharacterWorker(worker, stream);
  });
}

std::shared_ptr<WorkerSink> CPrinterCommands::ReadPrinterFontInfos() {
  if (!MayStart(PrinterCommand::ReadFontInfo) || !Begin(PrinterCommand::ReadFontInfo)) return nullptr;
  auto sink = std::make_shared<WorkerSink>();
  for (int slot = 0; slot < printer_ui::kFontSlots; ++slot) {
    sink->SetField(printer_ui::kFontIdFields[slot], std::to_string('0' + slot));
  }
  sink->EnableOk();
  return StartWorker(sink, true, false, [](const WorkerContext& worker) { RunFontInfoWorker(worker); });
}

std::shared_ptr<WorkerSink> CPrinterCommands::CheckAvailableMemory() {
  if (!MayStart(PrinterCommand::CheckMemory) || !Begin(PrinterCommand::CheckMemory)) return nullptr;
  auto sink = std::make_shared<WorkerSink>();
  sink->EnableOk();
  return StartWorker(sink, true, false, [](const WorkerContext& worker) { RunMemoryWorker(worker); });
}

std::shared_ptr<WorkerSink> CPrinterCommands::ErasePrinterFonts() {
  const int state = comm_.printerCommandState;
  if (state == static_cast<int>(PrinterCommand::EraseFonts)) {
    // The earlier erase command is still being written: abort it and wait for
    // the printer's answer again, without sending a new command.
    comm_.AbortSignal().Set();
    if (!StopTransfer(kStopTransferLimitMs)) prompt_.ShowMessage(msg::kErrorStopTransferThread);
    comm_.AbortSignal().Reset();
    comm_.printerCommandState = static_cast<int>(PrinterCommand::Idle);
    StopWorkers();
  } else {
    if (state != static_cast<int>(PrinterCommand::Idle)) return nullptr;
    StopWorkers();
    StopTransfer(kStopTransferLimitMs);
    comm_.WriteQueue().eraseCommand = EraseCommand();
    comm_.AbortSignal().Reset();
    if (!comm_.OpenInterface()) return nullptr;
    comm_.FlushReceived();
    comm_.printerCommandState = static_cast<int>(PrinterCommand::EraseFonts);
    if (!StartTransfer()) {
      prompt_.ShowMessage(msg::kErrorCreateTransferThread);
      comm_.printerCommandState = static_cast<int>(PrinterCommand::Idle);
      return nullptr;
    }
  }
  auto sink = std::make_shared<WorkerSink>();
  sink->SetField(printer_ui::kEraseStatusText, msg::kPleaseWait);
  return StartWorker(sink, false, false, [transfer = transfer_.outcome](const WorkerContext& worker) {
    RunEraseWorker(worker, *transfer);
  });
}

bool CPrinterCommands::StartTransfer() {
  transfer_ = Transfer{};
  const WorkerContext context = ContextFor(*transfer_.sink, *transfer_.stop);
  try {
    transfer_.thread = std::thread([context, sink = transfer_.sink, outcome = transfer_.outcome,
                                    ended = transfer_.ended.get()] {
      RunEraseTransfer(context, *outcome);
      ended->Set();
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

bool CPrinterCommands::StopTransfer(int limitMs) {
  if (!transfer_.thread.joinable()) return true;
  transfer_.stop->Set();
  if (!transfer_.ended->Wait(limitMs)) {
    strandedTransfers_.push_back(std::move(transfer_));
    transfer_ = Transfer{};
    return false;
  }
  transfer_.thread.join();
  return true;
}

void CPrinterCommands::Shutdown() {
  StopTransfer(kStopTransferLimitMs);
  StopWorkers();
  // Closing the line ends every write still waiting on it.
  comm_.CloseInterface();
  for (Transfer& stranded : strandedTransfers_) stranded.thread.join();
  strandedTransfers_.clear();
  for (Worker& stranded : strandedWorkers_) stranded.thread.join();
  strandedWorkers_.clear();
}

}  // namespace dotforge
