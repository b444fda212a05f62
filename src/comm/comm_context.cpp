#include "comm/comm_context.h"

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>
#include <vector>

#include "comm/comm_messages.h"
#include "comm/serial_info.h"
#include "comm/usb_info.h"
#include "platform/trace.h"

namespace dotforge {

CCommContext::CCommContext(const CommSettings& initial, Prompt& prompt, int kind)
    : settings(initial), platformKind(kind), usbAvailable(usb::UsbOffered(kind)), prompt_(prompt) {
  receiveBuffer_.Clear();
  if (!writeQueue_.writerStop.Valid()) Trace(trace::kCreateThreadExitEvent);
  if (!usbAvailable) settings.interfaceType = kInterfaceSerial;
}

CCommContext::~CCommContext() {
  CloseInterface();
  JoinThreads();
  interface_.reset();
}

bool CCommContext::OpenInterface() {
  if (lastOpenedType_ != settings.interfaceType && interface_) {
    if (interface_->running) CloseInterface();
    interface_.reset();
  }
  const bool serial = settings.interfaceType == kInterfaceSerial;
  // USB is an interface only where it is offered.
  if (!serial && (settings.interfaceType != kInterfaceUsb || !usbAvailable)) {
    prompt_.ShowMessage(msg::kInvalidInterface);
    return false;
  }
  const bool matches = serial ? dynamic_cast<CSerialInfo*>(interface_.get()) != nullptr
                              : dynamic_cast<CUsbInfo*>(interface_.get()) != nullptr;
  if (!matches) {
    if (interface_ && interface_->running) CloseInterface();
    interface_.reset();
    if (serial) {
      interface_ = std::make_unique<CSerialInfo>(*this);
    } else {
      interface_ = std::make_unique<CUsbInfo>(*this);
      interface_->SetDefaults();
    }
  }
  largestWrite_ = interface_->largestWrite;
  if (!interface_->Open()) return false;
  lastOpenedType_ = settings.interfaceType;
  StartThreads();
  interface_->running = 1;
  return true;
}

bool CCommContext::StartThreads() {
  writeQueue_.writerStop.Reset();
  if (!writer_.joinable()) {
    writerEnded_.Reset();
    try {
      writer_ = std::thread(&CCommContext::WriterProc, this);
    } catch (const std::system_error&) {
      prompt_.ShowMessage(msg::kErrorCreateWriterThread);
      return false;
    }
  }
  if (reader_.joinable()) return true;
  readerEnded_.Reset();
  readerRunning_ = true;
  try {
    reader_ = std::thread(&CCommContext::ReaderProc, this);
  } catch (const std::system_error&) {
    readerRunning_ = false;
    prompt_.ShowMessage(msg::kErrorCreateReaderThread);
    return false;
  }
  return true;
}

int CCommContext::StopThreads(int limitMs) {
  writeQueue_.writerStop.Set();
  readerStop_.Set();
  const Deadline deadline(limitMs);
  const bool readerDone = !reader_.joinable() || readerEnded_.Wait(deadline.RemainingMs());
  const bool writerDone = !writer_.joinable() || writerEnded_.Wait(deadline.RemainingMs());
  if (!readerDone) prompt_.ShowMessage(msg::kReaderThreadDidntExit);
  if (!writerDone) prompt_.ShowMessage(msg::kWriterThreadDidntExit);
  if (!readerDone || !writerDone) return 1;
  readerStop_.Reset();
  writeQueue_.writerStop.Reset();
  return 0;
}

bool CCommContext::CloseInterface() {
  if (!interface_ || !interface_->running) return false;
  interface_->running = 0;
  if (StopThreads(kCloseStopLimitMs) != 0) prompt_.ShowMessage(msg::kErrorStoppingThreads);
  JoinThreads();
  interface_->Close();
  if (interface_->writeFd >= 0 && interface_->writeFd != interface_->readFd) close(interface_->writeFd);
  if (interface_->readFd >= 0) close(interface_->readFd);
  interface_->readFd = interface_->writeFd = -1;
  writeQueue_.SetWriteTarget(-1, nullptr);
  // Pieces still queued belong to the line just closed, not to the next one.
  writeQueue_.DropQueued();
  return true;
}

void CCommContext::JoinThreads() {
  if (reader_.joinable()) reader_.join();
  if (writer_.joinable()) writer_.join();
}

std::size_t CCommContext::Send(ByteView bytes, std::uint64_t owner) {
  const std::size_t largest = largestWrite_.load();
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const ByteView piece = bytes.subspan(offset, std::min(largest, bytes.size() - offset));
    if (!writeQueue_.AppendWrite(Bytes(piece.begin(), piece.end()), owner)) {
      Trace(trace::kWriterPacketAlloc);
      break;
    }
    offset += piece.size();
  }
  return offset;
}

void CCommContext::FlushReceived() {
  if (interface_ && interface_->readFd >= 0) tcflush(interface_->readFd, TCIFLUSH);
  receiveBuffer_.Clear();
}

void CCommContext::TakeBack(std::uint64_t owner) {
  writeQueue_.DropOwned(owner);
  // What the device still holds of them would reach the printer later, as
  // the middle of a command nobody waits for any more.
  const int fd = writeQueue_.WriteFd();
  if (fd >= 0) tcflush(fd, TCOFLUSH);
}

int CCommContext::WaitForData(std::size_t minimum, int limitMs, std::initializer_list<Event*> stops) {
  if (limitMs <= 0) return kWaitTimedOut;
  const Deadline deadline(limitMs);
  Event& data = receiveBuffer_.DataArrived();
  std::vector<Event*> events{&data, &AbortSignal()};
  for (Event* stop : stops) {
    if (stop) events.push_back(stop);
  }
  for (;;) {
    if (AbortSignal().Test()) return kWaitAborted;
    for (std::size_t i = 2; i < events.size(); ++i) {
      if (events[i]->Test()) return kWaitAborted;
    }
    data.Reset();
    if (GetCount() >= minimum) return kWaitReady;
    const int remaining = deadline.RemainingMs();
    if (remaining == 0) return kWaitTimedOut;
    const WaitOutcome outcome = WaitForAny(events, remaining);
    if (outcome.kind == WaitOutcome::Kind::Signaled && outcome.index > 0) return kWaitAborted;
  }
}

void CCommContext::ReaderProc() {
  const int fd = interface_->readFd;
  OverlappedIo& record = interface_->readRecord;
  std::array<std::uint8_t, kReadChunk> buffer{};
  for (;;) {
    const IoStart start = record.StartRead(fd, buffer);
    std::size_t count = 0;
    if (start == IoStart::Completed) {
      record.GetResult(count);
      receiveBuffer_.Put(ByteView(buffer.data(), count));
    } else if (start == IoStart::Failed) {
      Trace(trace::kReadFileInReader);
      break;
    }
    if (readerStop_.Test()) break;
    if (start != IoStart::Pending) continue;
    if (record.WaitForCompletion({&readerStop_}) == IoWait::Stopped) break;
    if (record.GetResult(count)) {
      receiveBuffer_.Put(ByteView(buffer.data(), count));
    } else if (record.Error() == ECANCELED || record.Error() == EBADF) {
      Trace(trace::kReadAborted);
      break;
    } else {
      Trace(trace::kOverlappedResultInReader);
    }
  }
  readerRunning_ = false;
  readerEnded_.Set();
}

void CCommContext::WriterProc() {
  for (;;) {
    const WaitOutcome outcome = WaitForAny({&writeQueue_.requestSignal, &writeQueue_.writerStop}, 500);
    if (outcome.kind == WaitOutcome::Kind::Signaled) {
      if (outcome.index == 1) break;
      ProcessQueue();
    } else if (outcome.kind == WaitOutcome::Kind::Failed) {
      Trace(trace::kWriterWait);
      if (writeQueue_.writerStop.Wait(10)) break;
    }
  }
  writerEnded_.Set();
}

void CCommContext::ProcessQueue() {
  WriteRequest request;
  while (!writeQueue_.writerStop.Test() && writeQueue_.TakeFront(request)) {
    switch (static_cast<WriteKind>(request.kind)) {
      case WriteKind::TransferComplete:
        writeQueue_.transferComplete.Set();
        break;
      case WriteKind::Abort:
        writeQueue_.DropQueued();
        writeQueue_.transferComplete.Set();
        break;
      case WriteKind::WriteBuffer:
        switch (WriteBuffer(request.data)) {
          case WriteResult::Written:
            writeQueue_.Handed(request);
            break;
          case WriteResult::Failed:
            writeQueue_.Refused(request);
            break;
          case WriteResult::Stopped:
            // Cut off by the line closing or by its owner: part of it may be out.
            writeQueue_.Cut(request);
            break;
        }
        break;
      default:
        Trace(trace::kBadWriteRequest);
        break;
    }
    writeQueue_.Release();
  }
}

CCommContext::WriteResult CCommContext::WriteBuffer(ByteView bytes) {
  const int fd = writeQueue_.WriteFd();
  OverlappedIo* record = writeQueue_.WriteRecord();
  if (fd < 0 || !record) {
    Trace(trace::kWriteFileInWriter);
    return WriteResult::Failed;
  }
  const IoStart start = record->StartWrite(fd, bytes);
  if (start == IoStart::Completed) return WriteResult::Written;
  if (start == IoStart::Failed) {
    Trace(trace::kWriteFileInWriter);
    return WriteResult::Failed;
  }
  const IoWait wait = record->WaitForCompletion({&writeQueue_.writerStop, &writeQueue_.cancelWrite});
  if (wait == IoWait::Stopped) return WriteResult::Stopped;
  if (wait == IoWait::Failed && record->Pending()) {
    // The wait itself failed; the write may still be going on.
    Trace(trace::kWriterGenericWait);
    return WriteResult::Failed;
  }
  std::size_t written = 0;
  if (!record->GetResult(written)) {
    const int error = record->Error();
    Trace(error == ECANCELED || error == EBADF ? trace::kWriteAborted : trace::kOverlappedResultInWriter);
  }
  if (written < bytes.size()) {
    Trace(trace::kWritingToPort);
    return WriteResult::Failed;
  }
  return WriteResult::Written;
}

}  // namespace dotforge
