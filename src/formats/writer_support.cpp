#include "formats/writer_support.h"

#include <algorithm>
#include <cstdio>

namespace dotforge {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

bool IsUnicodeCharacter(char32_t value) {
  return value <= kMaxCodePoint && (value < kFirstSurrogate || value > kLastSurrogate);
}

}  // namespace

std::uint32_t CharacterCode(const CharacterRecord& record) { return ParseLabelCode(record.label).value_or(0); }

std::optional<char32_t> CharacterUnicode(const CharacterRecord& record, const CodePageDecoder* decoder) {
  std::optional<char32_t> value = record.unicode;
  if (!value) {
    const std::uint32_t code = CharacterCode(record);
    value = decoder ? decoder->Decode(code) : std::optional<char32_t>(code);
  }
  if (!value || !IsUnicodeCharacter(*value)) return std::nullopt;
  return value;
}

ByteView CellOf(const CharacterRecord& record, std::int32_t width, std::int32_t height, Bytes& scratch) {
  const std::size_t cell = CellSize(width, height);
  if (record.width == width && record.height == height && record.bitmap.size() == cell) return record.bitmap;
  scratch.clear();
  AppendFittedCell(scratch, record, width, height);
  return scratch;
}

std::vector<const CharacterRecord*> CharactersByCode(const CDotforgeImportDoc& doc) {
  std::vector<std::pair<std::uint32_t, const CharacterRecord*>> coded;
  coded.reserve(doc.characters.size());
  for (const auto& record : doc.characters) coded.emplace_back(CharacterCode(*record), record.get());
  std::stable_sort(coded.begin(), coded.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const CharacterRecord*> sorted;
  sorted.reserve(coded.size());
  for (const auto& entry : coded) sorted.push_back(entry.second);
  return sorted;
}

void ClearRowPadding(Bytes& cell, std::int32_t width) {
  if (width % 8 == 0) return;
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(width));
  const auto mask = static_cast<std::uint8_t>(0xFF << (8 - width % 8));
  for (std::size_t end = rowBytes; end <= cell.size(); end += rowBytes) cell[end - 1] &= mask;
}

void TextOut::Hex2(std::uint8_t value) {
  out_.push_back(static_cast<std::uint8_t>(kHexDigits[value >> 4]));
  out_.push_back(static_cast<std::uint8_t>(kHexDigits[value & 0x0F]));
}

void TextOut::Hex4(std::uint16_t value) {
  Hex2(static_cast<std::uint8_t>(value >> 8));
  Hex2(static_cast<std::uint8_t>(value & 0xFF));
}

void TextOut::Decimal2(std::int32_t value) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%02d", value);
  *this << std::string_view(text, static_cast<std::size_t>(length));
}

}  // namespace dotforge
