#include "formats/bitmap/psf_reader.h"

#include <algorithm>
#include <array>

#include "formats/formats_messages.h"

namespace dotforge {
namespace {

constexpr std::array<std::uint8_t, 2> kPsf1Magic = {0x36, 0x04};
constexpr std::array<std::uint8_t, 4> kPsf2Magic = {0x72, 0xB5, 0x4A, 0x86};
constexpr std::uint8_t kPsf1Mode512 = 0x01;
constexpr std::uint8_t kPsf1ModeHasTable = 0x02;
constexpr std::uint8_t kPsf1ModeHasSequences = 0x04;
constexpr std::uint16_t kPsf1Separator = 0xFFFF;
constexpr std::uint16_t kPsf1SequenceStart = 0xFFFE;
constexpr std::uint32_t kPsf2HasTable = 0x01;
constexpr std::uint8_t kPsf2Separator = 0xFF;
constexpr std::uint8_t kPsf2SequenceStart = 0xFE;
constexpr std::uint32_t kPsf2HeaderBytes = 32;
// Wider or taller glyphs than this are no console font.
constexpr std::uint32_t kMaxPsfSide = 1024;

template <std::size_t N>
bool StartsWith(ByteView bytes, const std::array<std::uint8_t, N>& magic) {
  return bytes.size() >= N && std::equal(magic.begin(), magic.end(), bytes.begin());
}

// The glyph boxes in file order, each with the code of its index.
bool TakeGlyphs(ByteCursor& cursor, std::uint32_t count, std::uint32_t width, std::uint32_t height,
                std::vector<BitmapGlyph>& glyphs) {
  const std::size_t glyphBytes = static_cast<std::size_t>((width + 7) / 8) * height;
  if (glyphBytes == 0 || cursor.Remaining() / glyphBytes < count) return false;
  glyphs.reserve(count);
  for (std::uint32_t index = 0; index < count; ++index) {
    ByteView rows;
    cursor.Take(glyphBytes, rows);
    glyphs.push_back(BitmapGlyph{index, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 0, 0,
                                 Bytes(rows.begin(), rows.end())});
  }
  return true;
}

// One UTF-8 character from the cursor; false at the end or for a malformed one
// (the cursor has then moved past its first byte).
bool TakeUtf8(ByteCursor& cursor, std::uint8_t first, char32_t& value) {
  int more = 0;
  if (first < 0x80) {
    value = first;
  } else if ((first & 0xE0) == 0xC0) {
    value = first & 0x1F;
    more = 1;
  } else if ((first & 0xF0) == 0xE0) {
    value = first & 0x0F;
    more = 2;
  } else if ((first & 0xF8) == 0xF0) {
    value = first & 0x07;
    more = 3;
  } else {
    return false;
  }
  for (int i = 0; i < more; ++i) {
    std::uint8_t next = 0;
    if (!cursor.TakeU8(next) || (next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  return value <= 0x10FFFF;
}

using UnicodeTable = std::vector<std::vector<char32_t>>;

// The code points the PSF1 table gives each glyph; sequences are left out. False
// when the file ends before the separator of the last glyph's entry.
bool Psf1Table(ByteCursor& cursor, UnicodeTable& table) {
  for (auto& codes : table) {
    bool inSequence = false;
    std::uint16_t value = 0;
    for (;;) {
      if (!cursor.TakeU16LE(value)) return false;
      if (value == kPsf1Separator) break;
      if (value == kPsf1SequenceStart) inSequence = true;
      if (!inSequence) codes.push_back(value);
    }
  }
  return true;
}

// The code points the PSF2 table (UTF-8) gives each glyph; sequences are left
// out. False when the file ends before the separator of the last glyph's entry.
bool Psf2Table(ByteCursor& cursor, UnicodeTable& table) {
  for (auto& codes : table) {
    bool inSequence = false;
    std::uint8_t byte = 0;
    for (;;) {
      if (!cursor.TakeU8(byte)) return false;
      if (byte == kPsf2Separator) break;
      if (byte == kPsf2SequenceStart) {
        inSequence = true;
        continue;
      }
      char32_t value = 0;
      if (TakeUtf8(cursor, byte, value) && !inSequence) codes.push_back(value);
    }
  }
  return true;
}

// Each glyph once per code point of its table entry, in glyph order.
std::vector<BitmapGlyph> ApplyTable(std::vector<BitmapGlyph>& glyphs, const UnicodeTable& table) {
  std::vector<BitmapGlyph> coded;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    for (const char32_t code : table[i]) {
      coded.push_back(glyphs[i]);
      coded.back().code = code;
    }
  }
  return coded;
}

std::optional<BitmapFont> ReadPsf1(ByteView bytes, std::string& problem) {
  ByteCursor cursor(bytes);
  cursor.Seek(kPsf1Magic.size());
  std::uint8_t mode = 0;
  std::uint8_t height = 0;
  if (!cursor.TakeU8(mode) || !cursor.TakeU8(height) || height == 0) {
    problem = msg::kPsfHeaderDamaged;
    return std::nullopt;
  }
  BitmapFont font{height, 0, true, {}};
  const std::uint32_t count = (mode & kPsf1Mode512) ? 512 : 256;
  if (!TakeGlyphs(cursor, count, 8, height, font.glyphs)) {
    problem = msg::kPsfGlyphsEndEarly;
    return std::nullopt;
  }
  // Without a table the codes are glyph indexes, not Unicode.
  font.unicodeCodes = (mode & (kPsf1ModeHasTable | kPsf1ModeHasSequences)) != 0;
  if (font.unicodeCodes) {
    UnicodeTable table(font.glyphs.size());
    if (!Psf1Table(cursor, table)) {
      problem = msg::kPsfTableEndsEarly;
      return std::nullopt;
    }
    font.glyphs = ApplyTable(font.glyphs, table);
  }
  return font;
}

std::optional<BitmapFont> ReadPsf2(ByteView bytes, std::string& problem) {
  ByteCursor cursor(bytes);
  cursor.Seek(kPsf2Magic.size());
  std::uint32_t version = 0, headerSize = 0, flags = 0, count = 0, glyphBytes = 0, height = 0, width = 0;
  if (!cursor.TakeU32LE(version) || !cursor.TakeU32LE(headerSize) || !cursor.TakeU32LE(flags) ||
      !cursor.TakeU32LE(count) || !cursor.TakeU32LE(glyphBytes) || !cursor.TakeU32LE(height) ||
      !cursor.TakeU32LE(width) || headerSize < kPsf2HeaderBytes || headerSize > bytes.size() || width == 0 ||
      height == 0 || width > kMaxPsfSide || height > kMaxPsfSide ||
      glyphBytes != static_cast<std::uint64_t>((width + 7) / 8) * height) {
    problem = msg::kPsfHeaderDamaged;
    return std::nullopt;
  }
  BitmapFont font{static_cast<std::int32_t>(height), 0, true, {}};
  cursor.Seek(headerSize);
  if (!TakeGlyphs(cursor, count, width, height, font.glyphs)) {
    problem = msg::kPsfGlyphsEndEarly;
    return std::nullopt;
  }
  font.unicodeCodes = (flags & kPsf2HasTable) != 0;
  if (font.unicodeCodes) {
    UnicodeTable table(font.glyphs.size());
    if (!Psf2Table(cursor, table)) {
      problem = msg::kPsfTableEndsEarly;
      return std::nullopt;
    }
    font.glyphs = ApplyTable(font.glyphs, table);
  }
  return font;
}

}  // namespace

bool IsPsfFont(ByteView bytes) { return StartsWith(bytes, kPsf1Magic) || StartsWith(bytes, kPsf2Magic); }

std::optional<BitmapFont> ReadPsfFont(ByteView bytes, std::string& problem) {
  if (StartsWith(bytes, kPsf2Magic)) return ReadPsf2(bytes, problem);
  if (StartsWith(bytes, kPsf1Magic)) return ReadPsf1(bytes, problem);
  problem = msg::kNotPsfFont;
  return std::nullopt;
}

}  // namespace dotforge
