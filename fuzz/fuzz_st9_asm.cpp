#include "formats/source/st9_asm_parser.h"
#include "fuzz/reader_fuzz.h"
#include "model/glyph_block.h"

// The first three bytes choose width, height and the kind (ST9 or ASM); the rest
// is the assembler text. The parsed block must open a consistent font set.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  if (size < 3) return 0;
  const std::int32_t width = AsSigned8(data[0]);
  const std::int32_t height = AsSigned8(data[1]);
  St9AsmParser parser((data[2] & 1) ? St9AsmParser::Kind::St9 : St9AsmParser::Kind::Asm);
  parser.SetCellSize(width, height);
  parser.SetText(std::string(reinterpret_cast<const char*>(data + 3), size - 3));
  if (parser.StripComments() != ParseResult::Ok || parser.Parse() != ParseResult::Ok) return 0;
  if (parser.ByteCount() != static_cast<std::size_t>(parser.CharacterCount()) * CellSize(width, height)) std::abort();
  return fuzz::FuzzReader(data, size, [&](CDotforgeImportDoc& doc, ByteView, Prompt& prompt) {
    doc.width = width;
    doc.height = height;
    ReadGlyphBlock(doc, parser.TakeBlock(), 8, prompt);
    if (doc.characters.size() != static_cast<std::size_t>(std::max(doc.characterCount, 0))) std::abort();
  });
}
