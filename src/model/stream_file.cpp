#include "model/stream_file.h"

#include "model/model_messages.h"

namespace dotforge {
namespace {

struct StreamKind {
  std::uint8_t lead;
  bool heightInHeader;  // US &: y is the height in dots; ESC &: y is 3 bytes per column
};

constexpr StreamKind kEscStream{kESC, false};
constexpr StreamKind kUsStream{kUS, true};
constexpr std::int32_t kEscHeight = 24;
constexpr std::uint8_t kEscBytesPerColumn = 3;

enum class Search { Found, End, EndsInHeader };

// Moves the cursor to the next "lead &" pair. A byte after `lead` that is not '&'
// is consumed and not looked at again; a file whose last byte is `lead` ends
// where a block header may have begun.
Search FindBlock(ByteCursor& cursor, std::uint8_t lead) {
  std::uint8_t byte = 0;
  while (cursor.TakeU8(byte)) {
    if (byte != lead) continue;
    std::uint8_t next = 0;
    if (!cursor.TakeU8(next)) return Search::EndsInHeader;
    if (next == '&') {
      cursor.Seek(cursor.Position() - 2);
      return Search::Found;
    }
  }
  return Search::End;
}

// Reads one block at the cursor. False when reading must stop.
bool ReadBlock(CDotforgeImportDoc& doc, ByteCursor& cursor, const StreamKind& kind, Prompt& prompt) {
  ByteView header;
  if (!cursor.Take(kStreamBlockHeaderSize, header)) {
    prompt.ShowMessage(msg::kFileEndsEarly);
    return false;
  }
  const std::uint8_t y = header[2];
  const std::uint8_t firstCode = header[3];
  const std::uint8_t lastCode = header[4];
  const std::uint8_t x = header[5];
  doc.width = x;
  const bool badY = kind.heightInHeader ? y == 0 : y != kEscBytesPerColumn;
  if (x == 0 || badY || firstCode > lastCode) {
    prompt.ShowMessage(msg::kInvalidDataFormat);
    return false;
  }
  doc.height = kind.heightInHeader ? y : kEscHeight;
  const std::size_t columnBytes = static_cast<std::size_t>((doc.height - 1) / 8 + 1);
  for (int code = firstCode; code <= lastCode; ++code) {
    ByteView columns;
    if (!cursor.Take(x * columnBytes, columns)) {
      prompt.ShowMessage(msg::kFileEndsEarly);
      return false;
    }
    CharacterRecord& record = doc.AppendCharacter(code, doc.width, doc.height);
    ColumnsToRows(columns, doc.width, doc.height, record.bitmap);
    ++doc.characterCount;
  }
  return true;
}

void ReadStream(CDotforgeImportDoc& doc, ByteView file, const StreamKind& kind, Prompt& prompt) {
  doc.fontType = kSingleByteFont;
  doc.characterCount = 0;
  ByteCursor cursor(file);
  for (;;) {
    switch (FindBlock(cursor, kind.lead)) {
      case Search::End:
        return;
      case Search::EndsInHeader:
        prompt.ShowMessage(msg::kFileEndsEarly);
        return;
      case Search::Found:
        if (!ReadBlock(doc, cursor, kind, prompt)) return;
        break;
    }
  }
}

}  // namespace

void ColumnsToRows(ByteView columns, std::int32_t width, std::int32_t height, Bytes& bitmap) {
  const std::size_t columnBytes = static_cast<std::size_t>((height - 1) / 8 + 1);
  const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  for (std::int32_t column = 0; column < width; ++column) {
    const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (column % 8));
    const std::size_t columnStart = static_cast<std::size_t>(column) * columnBytes;
    for (std::int32_t row = 0; row < height; ++row) {
      const std::size_t source = columnStart + static_cast<std::size_t>(row / 8);
      if (source >= columns.size()) return;
      if (columns[source] & (0x80 >> (row % 8))) bitmap[row * rowBytes + column / 8] |= mask;
    }
  }
}

void ReadEscStreamFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt) {
  ReadStream(doc, file, kEscStream, prompt);
}

void ReadUsStreamFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt) {
  ReadStream(doc, file, kUsStream, prompt);
}

}  // namespace dotforge
