#include "formats/source/st10_writer.h"

#include "formats/writer_support.h"

namespace dotforge {
namespace {

constexpr std::size_t kSlotsPerLine = 16;

void PutByteCell(TextOut& text, ByteView cell) {
  for (std::size_t i = 0; i < cell.size(); ++i) {
    if (i > 0 && i % kSlotsPerLine == 0) text << "\n\t";
    text << "0x";
    text.Hex2(cell[i]);
    text << ", ";
  }
}

// Each row becomes whole words, first byte of a pair as the high half; an odd row
// is padded with a zero low half.
void PutWordCell(TextOut& text, ByteView cell, std::int32_t width, std::int32_t height) {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  const std::size_t rowSlots = (rowBytes + 1) / 2 * 2;  // whole words
  std::size_t slot = 0;
  for (std::int32_t row = 0; row < height; ++row) {
    const ByteView rowData = cell.subspan(static_cast<std::size_t>(row) * rowBytes, rowBytes);
    for (std::size_t j = 0; j < rowSlots; ++j, ++slot) {
      if (slot > 0 && slot % kSlotsPerLine == 0) text << "\n\t";
      if (j >= rowBytes) {
        text << "00, ";
      } else if (j % 2 == 0) {
        text << "0x";
        text.Hex2(rowData[j]);
      } else {
        text.Hex2(rowData[j]);
        text << ", ";
      }
    }
  }
}

}  // namespace

Bytes EncodeSt10File(const CDotforgeImportDoc& doc, std::int32_t wordBits) {
  const bool words = wordBits == 16;
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  Bytes file;
  // About six text bytes per cell byte, plus the comments.
  file.reserve(64 + doc.characters.size() * (cellSize * 6 + 32));
  TextOut text(file);
  text << (words ? "const unsigned int xhuge uiDataFont" : "const unsigned char xhuge ucDataFont");
  text.Decimal2(doc.width);
  text << "x";
  text.Decimal2(doc.height);
  text << "[] = \n{\n";

  Bytes scratch;
  for (const auto& record : doc.characters) {
    text << "\n\t// 0x";
    text.Hex4(static_cast<std::uint16_t>(CharacterCode(*record)));
    text << ":\n\t";
    const ByteView cell = CellOf(*record, doc.width, doc.height, scratch);
    if (words) {
      PutWordCell(text, cell, doc.width, doc.height);
    } else {
      PutByteCell(text, cell);
    }
    text << "\n";
  }
  text << "\n}";
  return file;
}

}  // namespace dotforge
