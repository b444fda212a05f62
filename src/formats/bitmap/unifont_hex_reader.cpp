#include "formats/bitmap/unifont_hex_reader.h"

#include <algorithm>
#include <string_view>

#include "formats/formats_messages.h"
#include "formats/source/source_parser.h"

namespace dotforge {
namespace {

constexpr std::size_t kNarrowDigits = 32;
constexpr std::size_t kWideDigits = 64;
constexpr std::size_t kMaxCodeDigits = 6;
constexpr std::uint32_t kMaxCodePoint = 0x10FFFF;

std::optional<std::uint32_t> ParseCode(std::string_view text) {
  if (text.empty() || text.size() > kMaxCodeDigits) return std::nullopt;
  std::uint32_t code = 0;
  for (const char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    code = code * 16 + static_cast<std::uint32_t>(digit);
  }
  if (code > kMaxCodePoint) return std::nullopt;
  return code;
}

// The glyph of one line, or nothing when the line is not "CODE:BITMAP".
std::optional<BitmapGlyph> ParseLine(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<std::uint32_t> code = ParseCode(line.substr(0, colon));
  const std::string_view digits = line.substr(colon + 1);
  if (!code || (digits.size() != kNarrowDigits && digits.size() != kWideDigits)) return std::nullopt;
  // Two digits a byte, one byte per row for 8 dots (32 digits), two for 16.
  const auto width = static_cast<std::int32_t>(digits.size() / 4);
  BitmapGlyph glyph{*code, width, kUnifontHeight, 0, -kUnifontDescent, Bytes(digits.size() / 2)};
  for (std::size_t i = 0; i < glyph.rows.size(); ++i) {
    const int high = HexDigitValue(digits[2 * i]);
    const int low = HexDigitValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    glyph.rows[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return glyph;
}

}  // namespace

std::optional<BitmapFont> ReadUnifontHex(ByteView bytes, std::string& problem) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  BitmapFont font{kUnifontAscent, kUnifontDescent, true, {}};
  std::size_t start = 0;
  for (std::size_t lineNumber = 1; start < text.size(); ++lineNumber) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::optional<BitmapGlyph> glyph = ParseLine(line);
    if (!glyph) {
      problem = msg::kHexLineDamaged + std::to_string(lineNumber);
      return std::nullopt;
    }
    font.glyphs.push_back(std::move(*glyph));
  }
  if (font.glyphs.empty()) {
    problem = msg::kNoGlyphs;
    return std::nullopt;
  }
  return font;
}

}  // namespace dotforge
