#include "formats/bitmap/psf_writer.h"

#include <algorithm>
#include <array>

#include "formats/writer_support.h"

namespace dotforge {
namespace {

constexpr std::array<std::uint8_t, 4> kPsf2Magic = {0x72, 0xB5, 0x4A, 0x86};
constexpr std::uint32_t kPsf2Version = 0;
constexpr std::uint32_t kPsf2HeaderBytes = 32;
constexpr std::uint32_t kPsf2HasTable = 0x01;
constexpr std::uint8_t kPsf2Separator = 0xFF;
void PutUtf8(Bytes& out, char32_t value) {
  if (value < 0x80) {
    out.push_back(static_cast<std::uint8_t>(value));
  } else if (value < 0x800) {
    out.push_back(static_cast<std::uint8_t>(0xC0 | value >> 6));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x3F)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<std::uint8_t>(0xE0 | value >> 12));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value >> 6 & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x3F)));
  } else {
    out.push_back(static_cast<std::uint8_t>(0xF0 | value >> 18));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value >> 12 & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value >> 6 & 0x3F)));
    out.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x3F)));
  }
}

void PutHeader(Bytes& out, std::uint32_t count, std::int32_t width, std::int32_t height) {
  out.insert(out.end(), kPsf2Magic.begin(), kPsf2Magic.end());
  const auto glyphBytes = static_cast<std::uint32_t>(CellSize(width, height));
  for (const std::uint32_t value : {kPsf2Version, kPsf2HeaderBytes, kPsf2HasTable, count, glyphBytes,
                                    static_cast<std::uint32_t>(height), static_cast<std::uint32_t>(width)}) {
    PutU32LE(out, value);
  }
}

}  // namespace

PsfExport EncodePsf2File(const CDotforgeImportDoc& doc, const CodePageDecoder* decoder) {
  const std::vector<const CharacterRecord*> sorted = CharactersByCode(doc);
  const std::size_t glyphBytes = CellSize(doc.width, doc.height);
  PsfExport result;
  Bytes& file = result.file;
  file.reserve(kPsf2HeaderBytes + sorted.size() * (glyphBytes + 4));
  PutHeader(file, static_cast<std::uint32_t>(sorted.size()), doc.width, doc.height);
  Bytes scratch;
  Bytes cell;
  for (const CharacterRecord* record : sorted) {
    const ByteView view = CellOf(*record, doc.width, doc.height, scratch);
    cell.assign(view.begin(), view.end());
    ClearRowPadding(cell, doc.width);
    file.insert(file.end(), cell.begin(), cell.end());
  }
  for (const CharacterRecord* record : sorted) {
    if (const std::optional<char32_t> value = CharacterUnicode(*record, decoder)) {
      PutUtf8(file, *value);
    } else {
      ++result.withoutUnicode;
    }
    file.push_back(kPsf2Separator);
  }
  return result;
}

}  // namespace dotforge
