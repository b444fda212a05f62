#include "fuzz/reader_fuzz.h"
#include "model/glyph_block.h"

// The first four bytes choose width, height, word width and character count; the
// rest is the block's data.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  if (size < 4) return 0;
  return fuzz::FuzzReader(data, size, [](CDotforgeImportDoc& doc, ByteView bytes, Prompt& prompt) {
    doc.width = AsSigned8(bytes[0]);
    doc.height = AsSigned8(bytes[1]);
    const std::int32_t wordBits = (bytes[2] & 1) ? 16 : 8;
    ParsedGlyphBlock block{AsSigned8(bytes[3]), Bytes(bytes.begin() + 4, bytes.end())};
    ReadGlyphBlock(doc, block, wordBits, prompt);
  });
}
