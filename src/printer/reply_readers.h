#pragma once
// Readers of the printer's replies, fed one received byte at a time.

#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace dotforge {

enum class ReplyStatus {
  More,      // keep reading
  Accepted,  // ACK, a complete record, a complete text, CR
  Refused,   // NAK
  Invalid,   // a byte the command does not accept
};

// Download: ACK or NAK; anything else is skipped.
ReplyStatus ReadDownloadReply(std::uint8_t byte);
// Print one character: XON and XOFF skipped, ACK, NAK, anything else invalid.
ReplyStatus ReadPrintCharacterReply(std::uint8_t byte);
// Erase: XON and XOFF skipped, CR, anything else invalid.
ReplyStatus ReadEraseReply(std::uint8_t byte);

// Font information of one slot: NAK (no font) or ACK as the first byte (XON and
// XOFF are not skipped there), then bytes up to a 15-byte record. The record is
// binary: a height of 17 or a checksum byte 0x13 is data. XON and XOFF are
// skipped inside it only on a line with Xon/Xoff flow control.
class FontInfoReply {
 public:
  explicit FontInfoReply(bool xonXoffFlow) : skipFlowControl_(xonXoffFlow) {}
  ReplyStatus Feed(std::uint8_t byte);
  const Bytes& Record() const { return record_; }

 private:
  bool skipFlowControl_;
  Bytes record_;
};

// Free memory: the text up to a NUL or 10 characters, XON and XOFF skipped.
class MemoryReply {
 public:
  ReplyStatus Feed(std::uint8_t byte);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// The texts a font information record shows.
struct FontSlotTexts {
  std::string name;      // up to 8 characters, ended early by a zero byte
  std::string width;     // "%u"
  std::string height;    // "%u"
  std::string count;     // "%u" of the little-endian count
  std::string checksum;  // "%04X" of the little-endian checksum
};
// `record` must hold a whole 15-byte record.
FontSlotTexts FontSlotTextsFrom(ByteView record);

}  // namespace dotforge
