#include "model/glyph_block.h"

#include <algorithm>

#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kLastSingleByteCode = 0xFF;

// The highest code the first `count` characters of the block take.
std::int32_t HighestCode(const ParsedGlyphBlock& block, std::int32_t count) {
  if (count <= 0) return 0;
  if (block.codes.empty()) return 0x20 + count - 1;
  return *std::max_element(block.codes.begin(), block.codes.begin() + count);
}

}  // namespace

std::size_t GlyphBlockCharacterBytes(std::int32_t width, std::int32_t height, std::int32_t wordBits) {
  if (wordBits != 16) return CellSize(width, height);
  if (width < 1 || height < 1) return 0;
  return static_cast<std::size_t>(((width - 1) / 16 + 1) * 2) * static_cast<std::size_t>(height);
}

std::string CharactersLeftOutMessage(std::size_t leftOut) {
  return std::to_string(leftOut) + msg::kCharactersLeftOut;
}

void ReadGlyphBlock(CDotforgeImportDoc& doc, const ParsedGlyphBlock& block, std::int32_t wordBits,
                    Prompt& prompt) {
  std::int32_t count = std::min(block.characterCount, kMaxGlyphBlockCharacters);
  if (!block.codes.empty()) count = std::min(count, static_cast<std::int32_t>(block.codes.size()));
  const bool doubleByte = block.fontType == kDoubleByteFont || HighestCode(block, count) > kLastSingleByteCode;
  doc.fontType = doubleByte ? kDoubleByteFont : kSingleByteFont;
  doc.baseline = block.baseline;
  doc.characterCount = count;
  if (count <= 0) return;
  if (count < block.characterCount) {
    prompt.ShowMessage(CharactersLeftOutMessage(static_cast<std::size_t>(block.characterCount - count)));
  }
  if (doc.width < 1 || doc.height < 1) {
    prompt.ShowMessage(msg::kWidthHeightZero);
    return;
  }
  const std::size_t characterBytes = GlyphBlockCharacterBytes(doc.width, doc.height, wordBits);
  const std::size_t sourceRowBytes = characterBytes / static_cast<std::size_t>(doc.height);
  const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow(doc.width));
  ByteCursor cursor(block.bytes);
  for (std::int32_t i = 0; i < count; ++i) {
    ByteView source;
    if (!cursor.Take(characterBytes, source)) {
      prompt.ShowMessage(msg::kGlyphDataEndsEarly);
      return;
    }
    const std::int32_t code = block.codes.empty() ? 0x20 + i : block.codes[static_cast<std::size_t>(i)];
    CharacterRecord& record = doc.AppendCharacter(code, doc.width, doc.height);
    if (static_cast<std::size_t>(i) < block.unicodes.size()) record.unicode = block.unicodes[static_cast<std::size_t>(i)];
    // A 16-bit word row is either exactly a packed row or one byte longer; the
    // extra byte is dropped.
    for (std::int32_t row = 0; row < doc.height; ++row) {
      const auto from = source.begin() + static_cast<std::ptrdiff_t>(row * sourceRowBytes);
      std::copy(from, from + static_cast<std::ptrdiff_t>(rowBytes), record.bitmap.begin() + row * rowBytes);
    }
  }
}

}  // namespace dotforge
