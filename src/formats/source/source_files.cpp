#include "formats/source/source_files.h"

#include "formats/formats_messages.h"
#include "formats/source/assembler_writers.h"
#include "formats/source/st10_parser.h"
#include "formats/source/st10_writer.h"
#include "formats/source/st9_asm_parser.h"
#include "formats/commands/file_dialog_logic.h"
#include "model/file_access.h"

namespace dotforge {
namespace {

// Loads, strips and parses the file; the parsed cells become the glyph block.
bool ParseSource(SourceParser& parser, const FormatRead& read) {
  if (!parser.LoadFile(read.answer.path, read.prompt)) return false;
  ParseResult result = parser.StripComments();
  if (result == ParseResult::Ok) result = parser.Parse();
  if (result != ParseResult::Ok) {
    read.prompt.ShowMessage(ParseResultMessage(result));
    return false;
  }
  read.request.glyphBlock = parser.TakeBlock();
  return true;
}

bool ReadAssembler(const FormatRead& read, St9AsmParser::Kind kind) {
  St9AsmParser parser(kind);
  parser.SetCellSize(read.request.width, read.request.height);
  return ParseSource(parser, read);
}

}  // namespace

bool ReadSt10(const FormatRead& read) {
  read.request.wordBits = DataWordBits(read.answer.dataWordIndex);
  St10Parser parser(read.request.width, read.request.height, read.request.wordBits);
  return ParseSource(parser, read);
}

bool ReadSt9(const FormatRead& read) { return ReadAssembler(read, St9AsmParser::Kind::St9); }

bool ReadAsm(const FormatRead& read) { return ReadAssembler(read, St9AsmParser::Kind::Asm); }

bool WriteSt10(const FormatWrite& write) {
  const CDotforgeImportDoc& doc = write.doc;
  return CheckStorableCodes(doc, write.prompt) &&
         SaveFontFile(write.path, EncodeSt10File(doc, doc.dataWordBits), write.prompt);
}

// The file is written whole; the user learns which characters will not come back
// at their codes.
bool WriteSt9(const FormatWrite& write) {
  if (!SaveFontFile(write.path, EncodeSt9File(write.doc), write.prompt)) return false;
  const std::size_t moved = St9CharactersAtOtherCodes(write.doc);
  if (moved > 0) write.prompt.ShowMessage(std::to_string(moved) + msg::kSt9CharactersAtOtherCodes);
  return true;
}

bool WriteAsm(const FormatWrite& write) {
  return CheckStorableCodes(write.doc, write.prompt) &&
         SaveFontFile(write.path, EncodeAsmFile(write.doc), write.prompt);
}

}  // namespace dotforge
