#include "formats/firmware/carray_reader.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "formats/firmware/carray_layout.h"
#include "formats/firmware/firmware_messages.h"
#include "model/character_record.h"
#include "model/file_access.h"
#include "model/font_set.h"

namespace dotforge {
namespace {

constexpr std::uint32_t kMaxCode = 0xFFFF;
constexpr std::uint32_t kMaxByte = 0xFF;

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The first comment of the file, where the export states its options.
std::string_view TopComment(std::string_view text) {
  const std::size_t open = text.find("/*");
  if (open == std::string_view::npos) return {};
  const std::size_t close = text.find("*/", open + 2);
  return text.substr(open + 2, close == std::string_view::npos ? std::string_view::npos : close - open - 2);
}

// The word after `key` in the comment; empty when the key is not there.
std::string_view ValueAfter(std::string_view comment, std::string_view key) {
  std::size_t at = comment.find(key);
  if (at == std::string_view::npos) return {};
  at += key.size();
  while (at < comment.size() && comment[at] == ' ') ++at;
  std::size_t end = at;
  while (end < comment.size() && IsWordCharacter(comment[end])) ++end;
  return comment.substr(at, end - at);
}

// The options the top comment names; an option it leaves out has its default.
bool ReadOptions(std::string_view text, CArrayOptions& options) {
  const std::string_view comment = TopComment(text);
  const std::string_view layout = ValueAfter(comment, kLayoutKey);
  const std::string_view order = ValueAfter(comment, kBitOrderKey);
  const std::string_view invert = ValueAfter(comment, kInvertKey);
  if (!layout.empty()) {
    const std::optional<DotLayout> named = LayoutNamed(layout);
    if (!named) return false;
    options.layout = *named;
  }
  if (!order.empty()) {
    const std::optional<BitOrder> named = BitOrderNamed(order);
    if (!named) return false;
    options.bitOrder = *named;
  }
  if (!invert.empty() && invert != kYes && invert != kNo) return false;
  options.invert = invert == kYes;
  return true;
}

// The words and signs of the text outside its comments, one at a time: runs of
// letters, digits and '_', and every other visible character alone.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}

  // The next token; empty at the end of the text.
  std::string_view Next() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (text_.compare(at_, 2, "/*") == 0) {
        const std::size_t close = text_.find("*/", at_ + 2);
        at_ = close == std::string_view::npos ? text_.size() : close + 2;
      } else if (text_.compare(at_, 2, "//") == 0) {
        const std::size_t end = text_.find('\n', at_);
        at_ = end == std::string_view::npos ? text_.size() : end;
      } else if (IsWordCharacter(c)) {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsWordCharacter(text_[at_])) ++at_;
        return text_.substr(start, at_ - start);
      } else {
        ++at_;
        if (static_cast<unsigned char>(c) > ' ') return text_.substr(at_ - 1, 1);
      }
    }
    return {};
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// A C integer constant: decimal, 0x hexadecimal or 0 octal, with any u/l suffix.
std::optional<std::uint32_t> Number(std::string_view token) {
  while (!token.empty() && (token.back() == 'u' || token.back() == 'U' || token.back() == 'l' || token.back() == 'L')) {
    token.remove_suffix(1);
  }
  int base = 10;
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    base = 16;
    token.remove_prefix(2);
  } else if (token.size() > 1 && token[0] == '0') {
    base = 8;
    token.remove_prefix(1);
  }
  std::uint32_t value = 0;
  const auto result = std::from_chars(token.data(), token.data() + token.size(), value, base);
  if (result.ec != std::errc() || result.ptr != token.data() + token.size()) return std::nullopt;
  return value;
}

struct Declarations {
  std::map<std::string_view, std::optional<std::uint32_t>> defines;  // by suffix
  std::optional<std::vector<std::uint16_t>> codes;
  std::optional<Bytes> data;
  bool badValue = false;  // a value that is no number or above its array's type
};

// The values between the next '{' and its '}', each at most `limit`; nothing
// when the declaration ends first or the list is not closed.
template <typename Value>
std::optional<std::vector<Value>> ArrayValues(Tokens& tokens, std::uint32_t limit, bool& badValue) {
  std::string_view token = tokens.Next();
  while (!token.empty() && token != "{" && token != ";") token = tokens.Next();
  if (token != "{") return std::nullopt;
  std::vector<Value> values;
  for (token = tokens.Next(); !token.empty(); token = tokens.Next()) {
    if (token == "}") return values;
    if (token == ",") continue;
    const std::optional<std::uint32_t> value = Number(token);
    if (!value || *value > limit) badValue = true;
    values.push_back(static_cast<Value>(value.value_or(0)));
  }
  return std::nullopt;
}

void ReadDefine(Tokens& tokens, Declarations& found) {
  const std::string_view name = tokens.Next();
  for (const std::string_view suffix : {kWidthSuffix, kHeightSuffix, kBytesPerCharSuffix, kCountSuffix}) {
    if (!EndsWith(name, suffix)) continue;
    found.defines[suffix] = Number(tokens.Next());
    return;
  }
}

Declarations ReadDeclarations(std::string_view text) {
  Tokens tokens(text);
  Declarations found;
  std::string_view previous;
  for (std::string_view token = tokens.Next(); !token.empty(); previous = token, token = tokens.Next()) {
    if (previous == "#" && token == "define") {
      ReadDefine(tokens, found);
    } else if (token == "[" && EndsWith(previous, kCodesSuffix)) {
      found.codes = ArrayValues<std::uint16_t>(tokens, kMaxCode, found.badValue);
    } else if (token == "[" && EndsWith(previous, kDataSuffix)) {
      found.data = ArrayValues<std::uint8_t>(tokens, kMaxByte, found.badValue);
    }
  }
  return found;
}

std::optional<std::int32_t> Define(const Declarations& found, std::string_view suffix) {
  const auto entry = found.defines.find(suffix);
  if (entry == found.defines.end() || !entry->second || *entry->second > 0xFFFFFF) return std::nullopt;
  return static_cast<std::int32_t>(*entry->second);
}

// The checks of the declarations against each other; a reason when one fails.
const char* Problem(const Declarations& found, const CArrayFont& font, std::optional<std::int32_t> bytesPerChar,
                    std::optional<std::int32_t> count) {
  if (!bytesPerChar || !count) return msg::kCArrayMissingDefine;
  if (!found.codes || !found.data) return msg::kCArrayMissingArray;
  if (!IsCArrayCell(font.width, font.height)) return msg::kCArrayBadCell;
  if (static_cast<std::size_t>(*bytesPerChar) != CArrayGlyphBytes(font.width, font.height, font.options.layout)) {
    return msg::kCArrayBytesPerChar;
  }
  const auto characters = static_cast<std::size_t>(*count);
  if (found.codes->size() != characters || found.data->size() != characters * static_cast<std::size_t>(*bytesPerChar)) {
    return msg::kCArrayCountMismatch;
  }
  return found.badValue ? msg::kCArrayBadValue : nullptr;
}

}  // namespace

std::optional<CArrayFont> ReadCArrayFont(std::string_view text, std::string& problem) {
  CArrayFont font;
  if (!ReadOptions(text, font.options)) {
    problem = msg::kCArrayBadOption;
    return std::nullopt;
  }
  const Declarations found = ReadDeclarations(text);
  const std::optional<std::int32_t> width = Define(found, kWidthSuffix);
  const std::optional<std::int32_t> height = Define(found, kHeightSuffix);
  if (!width || !height) {
    problem = msg::kCArrayMissingDefine;
    return std::nullopt;
  }
  font.width = *width;
  font.height = *height;
  const std::optional<std::int32_t> bytesPerChar = Define(found, kBytesPerCharSuffix);
  if (const char* reason = Problem(found, font, bytesPerChar, Define(found, kCountSuffix))) {
    problem = reason;
    return std::nullopt;
  }
  const std::size_t glyphBytes = static_cast<std::size_t>(*bytesPerChar);
  const std::size_t cellBytes = CellSize(font.width, font.height);
  font.codes.assign(found.codes->begin(), found.codes->end());
  font.cells.assign(font.codes.size() * cellBytes, 0);
  const ByteView data(*found.data);
  for (std::size_t i = 0; i < font.codes.size(); ++i) {
    ReadCArrayGlyph(data.subspan(i * glyphBytes, glyphBytes), font.width, font.height, font.options,
                    font.cells.data() + i * cellBytes);
  }
  return font;
}

bool ImportCArray(ImportRequest& request, Prompt& prompt) {
  const std::optional<Bytes> bytes = LoadFontFile(request.fileName, prompt);
  if (!bytes) return false;
  std::string problem;
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  std::optional<CArrayFont> font = ReadCArrayFont(text, problem);
  if (!font) {
    prompt.ShowMessage(problem);
    return false;
  }
  const bool doubleByte = std::any_of(font->codes.begin(), font->codes.end(), [](std::int32_t code) { return code > 0xFF; });
  request.glyphBlock = ParsedGlyphBlock(static_cast<std::int32_t>(font->codes.size()), std::move(font->cells));
  request.glyphBlock.codes = std::move(font->codes);
  request.glyphBlock.fontType = doubleByte ? kDoubleByteFont : kSingleByteFont;
  request.width = font->width;
  request.height = font->height;
  return true;
}

}  // namespace dotforge
