#include "formats/firmware/carray_writer.h"

#include <string>

#include "formats/firmware/c_identifier.h"
#include "formats/firmware/carray_layout.h"
#include "formats/firmware/glyph_comments.h"
#include "formats/formats_messages.h"
#include "formats/writer_support.h"
#include "model/file_access.h"

namespace dotforge {
namespace {

constexpr std::size_t kCodesPerLine = 8;
constexpr std::size_t kBytesPerLine = 16;

std::string_view LayoutText(DotLayout layout) {
  return layout == DotLayout::Rows
             ? " (each row's dots left to right, a new byte at each row's start, rows top to bottom)"
             : " (each column's dots top to bottom in bytes of 8 rows, a new byte at each column's start and "
               "every 8 rows, columns left to right)";
}

std::string_view BitOrderText(BitOrder order) {
  return order == BitOrder::Msb ? " (the first dot of each byte in its most significant bit, 0x80)"
                                : " (the first dot of each byte in its least significant bit, 0x01)";
}

void WriteTopComment(TextOut& out, const CDotforgeImportDoc& doc, std::string_view name,
                     const CArrayOptions& options) {
  out << "/* " << name << ": " << std::to_string(doc.characters.size()) << " characters of "
      << std::to_string(doc.width) << " x " << std::to_string(doc.height) << " dots\n";
  out << " * " << kLayoutKey << " " << LayoutName(options.layout) << LayoutText(options.layout) << "\n";
  out << " * " << kBitOrderKey << " " << BitOrderName(options.bitOrder) << BitOrderText(options.bitOrder) << "\n";
  out << " * " << kInvertKey << " " << (options.invert ? kYes : kNo)
      << (options.invert ? " (a 1 bit is a white dot)" : " (a 1 bit is a black dot)") << "\n";
  out << " * " << kArtKey << " " << (options.art ? kYes : kNo)
      << (options.art ? " (a comment draws each glyph, # black and . white)" : "") << "\n";
  out << " * " << name << kCodesSuffix << " holds the codes in ascending order, " << name << kDataSuffix
      << " the glyphs in that order, " << name << kBytesPerCharSuffix << " bytes each.\n */\n";
  out << "#include <stdint.h>\n\n";
}

void WriteDefines(TextOut& out, const CDotforgeImportDoc& doc, std::string_view name, std::size_t glyphBytes) {
  out << "#define " << name << kWidthSuffix << " " << std::to_string(doc.width) << "\n";
  out << "#define " << name << kHeightSuffix << " " << std::to_string(doc.height) << "\n";
  out << "#define " << name << kBytesPerCharSuffix << " " << std::to_string(glyphBytes) << "\n";
  out << "#define " << name << kCountSuffix << " " << std::to_string(doc.characters.size()) << "\n\n";
}

void WriteCodes(TextOut& out, const std::vector<const CharacterRecord*>& records, std::string_view name) {
  out << "static const uint16_t " << name << kCodesSuffix << "[" << name << kCountSuffix << "] = {";
  for (std::size_t i = 0; i < records.size(); ++i) {
    out << (i % kCodesPerLine == 0 ? "\n  0x" : " 0x");
    out.Hex4(static_cast<std::uint16_t>(CharacterCode(*records[i])));
    out << ",";
  }
  out << "\n};\n\n";
}

void WriteGlyph(TextOut& out, const CharacterRecord& record, const CDotforgeImportDoc& doc,
                const CArrayOptions& options, Bytes& glyph) {
  Bytes scratch;
  const ByteView cell = CellOf(record, doc.width, doc.height, scratch);
  out << "  /* ";
  PutCodeName(out, CharacterCode(record), 4);
  out << " */\n";
  if (options.art) PutGlyphArt(out, cell, doc.width, doc.height);
  glyph.clear();
  AppendCArrayGlyph(cell, doc.width, doc.height, options, glyph);
  for (std::size_t i = 0; i < glyph.size(); ++i) {
    out << (i % kBytesPerLine == 0 ? "  0x" : " 0x");
    out.Hex2(glyph[i]);
    out << (i + 1 == glyph.size() || i % kBytesPerLine == kBytesPerLine - 1 ? ",\n" : ",");
  }
}

}  // namespace

Bytes EncodeCArrayFile(const CDotforgeImportDoc& doc, std::string_view name, const CArrayOptions& options) {
  const std::size_t glyphBytes = CArrayGlyphBytes(doc.width, doc.height, options.layout);
  Bytes file;
  const std::size_t artBytes = options.art ? static_cast<std::size_t>(doc.width + 8) * doc.height : 0;
  file.reserve(1024 + doc.characters.size() * (24 + glyphBytes * 6 + artBytes));
  TextOut out(file);
  WriteTopComment(out, doc, name, options);
  WriteDefines(out, doc, name, glyphBytes);
  const std::vector<const CharacterRecord*> records = CharactersByCode(doc);
  WriteCodes(out, records, name);
  out << "static const uint8_t " << name << kDataSuffix << "[" << name << kCountSuffix << " * " << name
      << kBytesPerCharSuffix << "] = {\n";
  Bytes glyph;
  for (const CharacterRecord* record : records) WriteGlyph(out, *record, doc, options, glyph);
  out << "};\n";
  return file;
}

bool WriteCArrayFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const CArrayOptions& options,
                     Prompt& prompt) {
  if (!IsCArrayCell(doc.width, doc.height)) {
    prompt.ShowMessage(msg::kStreamCellTooLarge);
    return false;
  }
  if (!CheckStorableCodes(doc, prompt)) return false;
  return SaveFontFile(path, EncodeCArrayFile(doc, CIdentifierOf(path), options), prompt);
}

}  // namespace dotforge
