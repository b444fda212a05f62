#include "formats/streams/stream_writers.h"

#include <algorithm>

#include "formats/formats_messages.h"
#include "formats/writer_support.h"
#include "model/stream_file.h"

namespace dotforge {
namespace {

struct StreamLayout {
  std::uint8_t lead;
  std::uint8_t yByte;        // 3 (bytes per column) for ESC &, the height for US &
  std::size_t columnBytes;
};

Bytes EncodeStream(const CDotforgeImportDoc& doc, const StreamLayout& layout, std::size_t maxCharacters,
                   bool& warn, Prompt& prompt) {
  const std::size_t count = std::min(maxCharacters, doc.characters.size());
  Bytes file;
  file.reserve(count * (kStreamBlockHeaderSize + static_cast<std::size_t>(std::max(doc.width, 0)) * layout.columnBytes));
  Bytes scratch;
  for (std::size_t k = 0; k < count; ++k) {
    const CharacterRecord& record = *doc.characters[k];
    const std::uint32_t code = CharacterCode(record);
    if (code > 0xFF) {
      if (warn) prompt.ShowMessage(msg::kCodesAbove0xFF);
      warn = false;
      continue;
    }
    const std::uint8_t header[kStreamBlockHeaderSize] = {
        layout.lead, '&', layout.yByte, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code),
        static_cast<std::uint8_t>(doc.width)};
    file.insert(file.end(), std::begin(header), std::end(header));
    RowsToColumns(CellOf(record, doc.width, doc.height, scratch), doc.width, doc.height, layout.columnBytes, file);
  }
  return file;
}

}  // namespace

void RowsToColumns(ByteView cell, std::int32_t width, std::int32_t height, std::size_t columnBytes, Bytes& out) {
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  for (std::int32_t x = 0; x < width; ++x) {
    const std::size_t byteInRow = static_cast<std::size_t>(x) / 8;
    const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
    for (std::size_t group = 0; group < columnBytes; ++group) {
      std::uint8_t column = 0;
      for (std::int32_t bit = 0; bit < 8; ++bit) {
        const auto row = static_cast<std::int32_t>(group * 8) + bit;
        if (row < height && (cell[static_cast<std::size_t>(row) * rowBytes + byteInRow] & mask)) {
          column = static_cast<std::uint8_t>(column | (0x80 >> bit));
        }
      }
      out.push_back(column);
    }
  }
}

Bytes EncodeStream1B26File(const CDotforgeImportDoc& doc, std::size_t maxCharacters, bool& warn, Prompt& prompt) {
  return EncodeStream(doc, StreamLayout{kESC, 3, 3}, maxCharacters, warn, prompt);
}

Bytes EncodeStream1F26File(const CDotforgeImportDoc& doc, std::size_t maxCharacters, bool& warn, Prompt& prompt) {
  const auto columnBytes = static_cast<std::size_t>(std::max(doc.height - 1, 0) / 8 + 1);
  return EncodeStream(doc, StreamLayout{kUS, static_cast<std::uint8_t>(doc.height), columnBytes}, maxCharacters,
                      warn, prompt);
}

}  // namespace dotforge
