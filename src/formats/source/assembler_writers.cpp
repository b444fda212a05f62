#include "formats/source/assembler_writers.h"

#include <algorithm>

#include "formats/writer_support.h"

namespace dotforge {
namespace {

constexpr std::size_t kBytesPerLine = 16;

void PutAsmByte(TextOut& text, std::uint8_t value) {
  text << "0";
  text.Hex2(value);
  text << "H";
}

constexpr std::uint32_t kFirstCode = 0x20;

// `characterCount` may claim more characters than the list holds; only those
// that exist are written.
std::size_t St9CharacterCount(const CDotforgeImportDoc& doc) {
  return std::min(doc.characters.size(), static_cast<std::size_t>(std::max(doc.characterCount, 0)));
}

}  // namespace

std::size_t St9CharactersAtOtherCodes(const CDotforgeImportDoc& doc) {
  const std::size_t count = St9CharacterCount(doc);
  std::size_t moved = 0;
  for (std::size_t k = 0; k < count; ++k) {
    if (CharacterCode(*doc.characters[k]) != kFirstCode + k) ++moved;
  }
  return moved;
}

Bytes EncodeSt9File(const CDotforgeImportDoc& doc) {
  const std::size_t count = St9CharacterCount(doc);
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(doc.width));
  std::vector<ByteView> cells;
  std::vector<Bytes> fitted(count);
  cells.reserve(count);
  for (std::size_t k = 0; k < count; ++k) cells.push_back(CellOf(*doc.characters[k], doc.width, doc.height, fitted[k]));

  Bytes file;
  file.reserve(count * CellSize(doc.width, doc.height) * 6 + static_cast<std::size_t>(std::max(doc.height, 0)) * 32);
  TextOut text(file);
  for (std::int32_t row = 0; row < doc.height; ++row) {
    text << "\n\n;ssligne ";
    text << std::to_string(row + 1);
    text << "\n";
    std::size_t column = 0;
    for (std::size_t k = 0; k < count; ++k) {
      const ByteView rowData = cells[k].subspan(static_cast<std::size_t>(row) * rowBytes, rowBytes);
      for (std::size_t b = 0; b < rowBytes; ++b) {
        if (column % kBytesPerLine == 0) {
          text << "\n\t.byte\t";
          column = 0;
        }
        PutAsmByte(text, rowData[b]);
        const bool lastOfStrip = k + 1 == count && b + 1 == rowBytes;
        if ((column + 1) % kBytesPerLine != 0 && !lastOfStrip) text << ", ";
        ++column;
      }
    }
    text << "\n";
  }
  text << "\n";
  return file;
}

Bytes EncodeAsmFile(const CDotforgeImportDoc& doc) {
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  Bytes file;
  file.reserve(doc.characters.size() * (cellSize * 6 + 32) + 1);
  TextOut text(file);
  Bytes scratch;
  for (const auto& record : doc.characters) {
    text << "\n\t; 0x";
    text.Hex4(static_cast<std::uint16_t>(CharacterCode(*record)));
    text << ":";
    const ByteView cell = CellOf(*record, doc.width, doc.height, scratch);
    for (std::size_t i = 0; i < cell.size(); ++i) {
      if (i % kBytesPerLine == 0) text << "\n\t.byte\t";
      PutAsmByte(text, cell[i]);
      if ((i + 1) % kBytesPerLine != 0 && i + 1 != cell.size()) text << ", ";
    }
    text << "\n";
  }
  text << "\n";
  return file;
}

}  // namespace dotforge
