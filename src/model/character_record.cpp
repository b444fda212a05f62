#include "model/character_record.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace dotforge {

std::string FormatLabel(std::int32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(code));
  return text;
}

std::optional<std::uint32_t> ParseLabelCode(std::string_view label, int maxDigits) {
  std::size_t i = 0;
  while (i < label.size() && std::isspace(static_cast<unsigned char>(label[i]))) ++i;
  std::uint32_t code = 0;
  int digits = 0;
  for (; i < label.size() && digits < maxDigits; ++i, ++digits) {
    const int c = std::tolower(static_cast<unsigned char>(label[i]));
    if (c >= '0' && c <= '9') {
      code = code * 16 + static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      code = code * 16 + static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  return code;
}

CharacterRecord::CharacterRecord(std::int32_t width, std::int32_t height)
    : bitmap(CellSize(width, height), 0), width(width), height(height) {}

bool CharacterRecord::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  const std::size_t index = static_cast<std::size_t>(y) * BytesPerRow(width) + x / 8;
  return index < bitmap.size() && (bitmap[index] & (0x80 >> (x % 8))) != 0;
}

void CharacterRecord::SetPixel(std::int32_t x, std::int32_t y, bool black) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const std::size_t index = static_cast<std::size_t>(y) * BytesPerRow(width) + x / 8;
  if (index >= bitmap.size()) return;
  const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
  bitmap[index] = black ? (bitmap[index] | mask) : (bitmap[index] & ~mask);
}

void AppendFittedCell(Bytes& out, const CharacterRecord& record, std::int32_t width, std::int32_t height) {
  const std::size_t cell = CellSize(width, height);
  if (record.width == width && record.height == height && record.bitmap.size() == cell) {
    out.insert(out.end(), record.bitmap.begin(), record.bitmap.end());
    return;
  }
  const std::size_t rowBytes = BytesPerRow(width);
  const std::size_t sourceRowBytes = BytesPerRow(record.width);
  const std::size_t copyBytes = std::min(rowBytes, sourceRowBytes);
  for (std::int32_t y = 0; y < height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * sourceRowBytes;
    std::size_t copied = 0;
    if (y < record.height && start < record.bitmap.size()) {
      copied = std::min(copyBytes, record.bitmap.size() - start);
      out.insert(out.end(), record.bitmap.begin() + start, record.bitmap.begin() + start + copied);
    }
    PutZeros(out, rowBytes - copied);
  }
}

}  // namespace dotforge
