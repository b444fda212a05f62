// Feeds arbitrary bytes to every reader of the printer's replies, as a worker
// would, and checks that none keeps more than its reply can hold.
#include <cstdint>
#include <cstdlib>

#include "printer/printer_protocol.h"
#include "printer/reply_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  // The lowest bit of the first byte picks the line's flow control.
  FontInfoReply fontInfo(size > 0 && (data[0] & 1) != 0);
  MemoryReply memory;
  bool fontInfoOver = false;
  bool memoryOver = false;
  for (std::size_t i = 0; i < size; ++i) {
    ReadDownloadReply(data[i]);
    ReadPrintCharacterReply(data[i]);
    ReadEraseReply(data[i]);
    if (!fontInfoOver) {
      const ReplyStatus status = fontInfo.Feed(data[i]);
      fontInfoOver = status != ReplyStatus::More;
      if (status == ReplyStatus::Accepted) {
        const FontSlotTexts texts = FontSlotTextsFrom(fontInfo.Record());
        if (texts.name.size() > kFontNameLength || texts.checksum.size() != 4) std::abort();
      }
    }
    if (!memoryOver) memoryOver = memory.Feed(data[i]) != ReplyStatus::More;
    if (fontInfo.Record().size() > kFontInfoRecordLength || memory.Text().size() > kMemoryTextLimit) std::abort();
  }
  FontSlotTextsFrom(fontInfo.Record());
  return 0;
}
