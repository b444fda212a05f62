#include "printer/reply_readers.h"

#include <cstdio>

#include "printer/printer_protocol.h"

namespace dotforge {
namespace {

bool IsFlowControl(std::uint8_t byte) { return byte == kXon || byte == kXoff; }

}  // namespace

ReplyStatus ReadDownloadReply(std::uint8_t byte) {
  if (byte == kAck) return ReplyStatus::Accepted;
  if (byte == kNak) return ReplyStatus::Refused;
  return ReplyStatus::More;
}

ReplyStatus ReadPrintCharacterReply(std::uint8_t byte) {
  if (IsFlowControl(byte)) return ReplyStatus::More;
  if (byte == kAck) return ReplyStatus::Accepted;
  if (byte == kNak) return ReplyStatus::Refused;
  return ReplyStatus::Invalid;
}

ReplyStatus ReadEraseReply(std::uint8_t byte) {
  if (IsFlowControl(byte)) return ReplyStatus::More;
  return byte == kCr ? ReplyStatus::Accepted : ReplyStatus::Invalid;
}

ReplyStatus FontInfoReply::Feed(std::uint8_t byte) {
  if (record_.empty()) {
    if (byte == kNak) return ReplyStatus::Refused;
    if (byte != kAck) return ReplyStatus::Invalid;
  } else if (skipFlowControl_ && IsFlowControl(byte)) {
    return ReplyStatus::More;
  }
  if (record_.size() < kFontInfoRecordLength) record_.push_back(byte);
  return record_.size() == kFontInfoRecordLength ? ReplyStatus::Accepted : ReplyStatus::More;
}

ReplyStatus MemoryReply::Feed(std::uint8_t byte) {
  if (IsFlowControl(byte)) return ReplyStatus::More;
  if (byte == kNul || text_.size() >= kMemoryTextLimit) return ReplyStatus::Accepted;
  text_ += static_cast<char>(byte);
  return text_.size() == kMemoryTextLimit ? ReplyStatus::Accepted : ReplyStatus::More;
}

FontSlotTexts FontSlotTextsFrom(ByteView record) {
  FontSlotTexts texts;
  for (std::size_t i = 1; i <= kFontNameLength && i < record.size() && record[i] != 0; ++i) {
    texts.name += static_cast<char>(record[i]);
  }
  if (record.size() < kFontInfoRecordLength) return texts;
  char checksum[8];
  std::snprintf(checksum, sizeof checksum, "%04X", static_cast<unsigned>(GetU16LE(record, 13)));
  texts.width = std::to_string(record[9]);
  texts.height = std::to_string(record[10]);
  texts.count = std::to_string(GetU16LE(record, 11));
  texts.checksum = checksum;
  return texts;
}

}  // namespace dotforge
