#include "formats/bitmap/unifont_hex_writer.h"

#include "formats/bitmap/unifont_hex_reader.h"
#include "formats/writer_support.h"

namespace dotforge {
namespace {

constexpr std::int32_t kNarrowWidth = 8;
constexpr std::int32_t kWideWidth = 16;
constexpr std::size_t kLineOverhead = 6;  // "XXXX:" and the line break

}  // namespace

bool IsUnifontCell(std::int32_t width, std::int32_t height) {
  return height == kUnifontHeight && (width == kNarrowWidth || width == kWideWidth);
}

Bytes EncodeUnifontHexFile(const CDotforgeImportDoc& doc) {
  const std::size_t cellBytes = CellSize(doc.width, doc.height);
  Bytes file;
  file.reserve(doc.characters.size() * (kLineOverhead + 2 * cellBytes));
  TextOut out(file);
  Bytes scratch;
  for (const CharacterRecord* record : CharactersByCode(doc)) {
    out.Hex4(static_cast<std::uint16_t>(CharacterCode(*record)));
    out << ":";
    for (const std::uint8_t byte : CellOf(*record, doc.width, doc.height, scratch)) out.Hex2(byte);
    out << "\n";
  }
  return file;
}

}  // namespace dotforge
