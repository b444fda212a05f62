#include "model/native_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "model/file_access.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr char kMagic[] = "DOTFORGE";
constexpr char kVersion[] = "1.00";
constexpr std::size_t kFileTypeOffset = 14;
constexpr std::size_t kStorageModeOffset = 15;
constexpr std::size_t kWidthOffset = 16;
constexpr std::size_t kHeightOffset = 17;
constexpr std::size_t kRangeCountOffset = 18;
constexpr std::size_t kCharacterCountOffset = 20;
constexpr std::size_t kRangeTableOffset = 22;

bool MagicMatches(const std::array<std::uint8_t, kNativeHeaderSize>& header) {
  for (std::size_t i = 0; i < 8; ++i) {
    if (std::toupper(header[i]) != kMagic[i]) return false;
  }
  return header[8] == 0;
}

std::uint8_t ReverseBits(std::uint8_t value) {
  value = static_cast<std::uint8_t>((value & 0xF0) >> 4 | (value & 0x0F) << 4);
  value = static_cast<std::uint8_t>((value & 0xCC) >> 2 | (value & 0x33) << 2);
  return static_cast<std::uint8_t>((value & 0xAA) >> 1 | (value & 0x55) << 1);
}

// Copies one stored cell into a record's bitmap, undoing the storage mode.
void StoreCell(ByteView cell, int storageMode, std::int32_t rowBytes, Bytes& bitmap) {
  std::copy(cell.begin(), cell.end(), bitmap.begin());
  if (storageMode == 2) {
    for (std::size_t row = 0; row < bitmap.size(); row += rowBytes) {
      std::reverse(bitmap.begin() + row, bitmap.begin() + row + rowBytes);
    }
  } else if (storageMode == 3) {
    for (std::uint8_t& byte : bitmap) byte = ReverseBits(byte);
  }
}

void ReadCells(CDotforgeImportDoc& doc, const std::array<std::uint8_t, kNativeHeaderSize>& header,
               int rangeCount, ByteCursor& cells, Prompt& prompt) {
  const int storageMode = header[kStorageModeOffset];
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  for (int range = 0; range < rangeCount; ++range) {
    const std::size_t entry = kRangeTableOffset + 3 * static_cast<std::size_t>(range);
    const std::int32_t start = GetU16LE(header, entry);
    const std::int32_t count = header[entry + 2];
    for (std::int32_t j = 0; j < count; ++j) {
      ByteView cell;
      if (!cells.Take(cellSize, cell)) {
        prompt.ShowMessage(msg::kFileEndsEarly);
        return;
      }
      CharacterRecord& record = doc.AppendCharacter(start + j, doc.width, doc.height);
      StoreCell(cell, storageMode, BytesPerRow(doc.width), record.bitmap);
    }
  }
}

}  // namespace

void ReadNativeFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt) {
  std::array<std::uint8_t, kNativeHeaderSize> header{};
  const std::size_t headerBytes = std::min(file.size(), kNativeHeaderSize);
  std::copy_n(file.begin(), headerBytes, header.begin());

  if (!MagicMatches(header)) {
    prompt.ShowMessage(msg::kNotValidDotforgeFile);
    return;
  }
  doc.width = AsSigned8(header[kWidthOffset]);
  doc.height = AsSigned8(header[kHeightOffset]);
  const int fileType = header[kFileTypeOffset];
  if (fileType != 1 && fileType != 2) {
    prompt.ShowMessage(msg::kInvalidFileType);
    return;
  }
  // A negative size can only come from a damaged file; it is refused like 0.
  if (doc.width <= 0 || doc.height <= 0) {
    prompt.ShowMessage(msg::kWidthHeightZero);
    return;
  }
  const int storageMode = header[kStorageModeOffset];
  if (storageMode < 1 || storageMode > 3) {
    prompt.ShowMessage(msg::kInvalidStorageMode);
    return;
  }
  const auto rangeCount = static_cast<std::int16_t>(GetU16LE(header, kRangeCountOffset));
  if (rangeCount < 0 || rangeCount > static_cast<int>(kNativeMaxRanges)) {
    prompt.ShowMessage(msg::kInvalidRangeCount);
    return;
  }
  if (headerBytes < kNativeHeaderSize) {
    prompt.ShowMessage(msg::kFileEndsEarly);
    return;
  }
  if (fileType == 1) {
    doc.fontType = kSingleByteFont;
  } else {
    doc.fontType = kDoubleByteFont;
    doc.fontId = '4';
  }
  // Unsigned: an imported CJK font easily holds more than 32,767 characters.
  doc.characterCount = GetU16LE(header, kCharacterCountOffset);

  ByteCursor cells(file);
  cells.Seek(kNativeHeaderSize);
  ReadCells(doc, header, rangeCount, cells, prompt);
}

void ReadNativeFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (std::optional<Bytes> file = LoadFontFile(path, prompt)) ReadNativeFile(doc, *file, prompt);
}

std::optional<Bytes> EncodeNativeFile(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (!CheckStorableCell(doc.width, doc.height, prompt) || !CheckStorableCount(doc, prompt)) return std::nullopt;

  Bytes header(kNativeHeaderSize, 0);
  std::memcpy(header.data(), kMagic, sizeof kMagic);
  std::memcpy(header.data() + sizeof kMagic, kVersion, sizeof kVersion);
  header[kFileTypeOffset] = doc.fontType == kSingleByteFont ? 1 : 2;
  header[kStorageModeOffset] = 1;
  header[kWidthOffset] = static_cast<std::uint8_t>(doc.width);
  header[kHeightOffset] = static_cast<std::uint8_t>(doc.height);
  const auto count = static_cast<std::uint16_t>(doc.characters.size());
  header[kCharacterCountOffset] = static_cast<std::uint8_t>(count & 0xFF);
  header[kCharacterCountOffset + 1] = static_cast<std::uint8_t>(count >> 8);

  std::size_t ranges = 0;
  std::size_t rangeLength = 0;
  std::optional<std::uint32_t> previous;
  for (const auto& record : doc.characters) {
    const std::uint32_t code = ParseLabelCode(record->label).value_or(0);
    if (code > kMaxStorableCode) {
      ReportUnstorableCode(code, prompt);
      return std::nullopt;
    }
    const bool continues = previous && code == *previous + 1 && rangeLength < kMaxCharactersPerRange;
    if (!continues) {
      if (ranges == kNativeMaxRanges) {
        prompt.ShowMessage(msg::kTooManyRanges);
        return std::nullopt;
      }
      const std::size_t entry = kRangeTableOffset + 3 * ranges++;
      header[entry] = static_cast<std::uint8_t>(code & 0xFF);
      header[entry + 1] = static_cast<std::uint8_t>((code >> 8) & 0xFF);
      rangeLength = 0;
    }
    ++rangeLength;
    header[kRangeTableOffset + 3 * (ranges - 1) + 2] = static_cast<std::uint8_t>(rangeLength);
    previous = code;
  }
  header[kRangeCountOffset] = static_cast<std::uint8_t>(ranges & 0xFF);
  header[kRangeCountOffset + 1] = static_cast<std::uint8_t>(ranges >> 8);

  Bytes file = std::move(header);
  file.reserve(kNativeHeaderSize + doc.characters.size() * CellSize(doc.width, doc.height));
  for (const auto& record : doc.characters) AppendFittedCell(file, *record, doc.width, doc.height);
  return file;
}

bool WriteNativeFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  const std::optional<Bytes> file = EncodeNativeFile(doc, prompt);
  return file && SaveFontFile(path, *file, prompt);
}

}  // namespace dotforge
