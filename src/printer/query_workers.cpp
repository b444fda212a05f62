#include "printer/printer_dialogs.h"
#include "printer/printer_messages.h"
#include "printer/reply_readers.h"
#include "printer/stream_sender.h"
#include "printer/workers.h"

namespace dotforge {
namespace {

// Shows the query's message for a byte that did not come; false when the
// worker must end.
bool Received(const WorkerContext& worker, ByteWait wait) {
  if (wait == ByteWait::TimedOut) worker.sink.ShowMessage(msg::kResponseNotReceived);
  if (wait == ByteWait::Aborted) worker.sink.ShowMessage(msg::kReadAborted);
  return wait == ByteWait::Received;
}

void ShowSlot(WorkerSink& sink, int slot, const FontSlotTexts& texts) {
  sink.SetField(printer_ui::kFontNameFields[slot], texts.name);
  sink.SetField(printer_ui::kFontWidthFields[slot], texts.width);
  sink.SetField(printer_ui::kFontHeightFields[slot], texts.height);
  sink.SetField(printer_ui::kFontCountFields[slot], texts.count);
  sink.SetField(printer_ui::kFontChecksumFields[slot], texts.checksum);
}

}  // namespace

void RunFontInfoWorker(const WorkerContext& worker) {
  for (int slot = 0; slot < printer_ui::kFontSlots; ++slot) {
    if (!ReportSend(worker, SendAndDrain(worker, FontInfoRequest(slot)), msg::kReadAborted)) return;
    FontInfoReply reply(worker.xonXoffFlow);
    ReplyStatus status = ReplyStatus::More;
    while (status == ReplyStatus::More) {
      std::uint8_t byte = 0;
      if (!Received(worker, NextReplyByte(worker, worker.limits.replyMs, byte))) return;
      status = reply.Feed(byte);
    }
    if (status == ReplyStatus::Invalid) {
      worker.sink.ShowMessage(msg::kErrorInvalidFormatResponse);
      return;
    }
    if (status == ReplyStatus::Accepted) ShowSlot(worker.sink, slot, FontSlotTextsFrom(reply.Record()));
    // The share of the slots answered so far, so that a reader of the fields
    // can tell an empty slot from one never asked about.
    worker.sink.SetProgress((slot + 1) * 100 / printer_ui::kFontSlots);
  }
  worker.sink.Notify(printer_ui::kFontInfoComplete);
}

void RunMemoryWorker(const WorkerContext& worker) {
  if (!ReportSend(worker, SendAndDrain(worker, MemoryRequest()), msg::kReadAborted)) return;
  MemoryReply reply;
  ReplyStatus status = ReplyStatus::More;
  while (status == ReplyStatus::More) {
    // The dialog's closing flag: nobody is left to show the figure.
    if (worker.sink.Detached()) return;
    std::uint8_t byte = 0;
    if (!Received(worker, NextReplyByte(worker, worker.limits.replyMs, byte))) return;
    status = reply.Feed(byte);
  }
  if (worker.sink.Detached()) return;
  worker.sink.SetField(printer_ui::kMemoryField, reply.Text());
  worker.sink.Notify(printer_ui::kMemoryTextReady);
}

}  // namespace dotforge
