#include "formats/source/st10_parser.h"
#include "fuzz/reader_fuzz.h"
#include "model/glyph_block.h"

// The first three bytes choose width, height and word width; the rest is the
// source text. The parsed block must open a consistent font set.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  if (size < 3) return 0;
  const std::int32_t width = AsSigned8(data[0]);
  const std::int32_t height = AsSigned8(data[1]);
  const std::int32_t wordBits = (data[2] & 1) ? 16 : 8;
  St10Parser parser(width, height, wordBits);
  parser.SetText(std::string(reinterpret_cast<const char*>(data + 3), size - 3));
  if (parser.StripComments() != ParseResult::Ok) return 0;
  const ParseResult result = parser.Parse();
  const std::size_t characterBytes = parser.CharacterBytes();
  if (result == ParseResult::Ok && parser.ByteCount() != static_cast<std::size_t>(parser.CharacterCount()) * characterBytes) {
    std::abort();
  }
  if (result != ParseResult::Ok) return 0;
  return fuzz::FuzzReader(data, size, [&](CDotforgeImportDoc& doc, ByteView, Prompt& prompt) {
    doc.width = width;
    doc.height = height;
    ReadGlyphBlock(doc, parser.TakeBlock(), wordBits, prompt);
    if (doc.characters.size() != static_cast<std::size_t>(std::max(doc.characterCount, 0))) std::abort();
  });
}
