#include "formats/source/source_parser.h"

#include <new>

#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "platform/file_io.h"

namespace dotforge {
namespace {

constexpr std::int32_t kFirstCode = 0x20;
constexpr std::size_t kCodeDigits = 4;

// The code of a comment that reads "0xHHHH:" after blanks, as the writers put
// one before each character's data.
std::optional<std::int32_t> CodeCommentValue(std::string_view comment) {
  const std::size_t start = comment.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  comment.remove_prefix(start);
  if (comment.size() < 3 + kCodeDigits || comment[0] != '0' || (comment[1] != 'x' && comment[1] != 'X') ||
      comment[2 + kCodeDigits] != ':') {
    return std::nullopt;
  }
  std::int32_t code = 0;
  for (std::size_t i = 2; i < 2 + kCodeDigits; ++i) {
    const int digit = HexDigitValue(comment[i]);
    if (digit < 0) return std::nullopt;
    code = code * 16 + digit;
  }
  return code;
}

// True when `codes` give each of `count` characters its own code from 0x20 up.
bool AreCharacterCodes(const std::vector<std::int32_t>& codes, std::int32_t count) {
  if (count <= 0 || codes.size() != static_cast<std::size_t>(count)) return false;
  std::vector<bool> taken(0x10000, false);
  for (const std::int32_t code : codes) {
    if (code < kFirstCode || taken[static_cast<std::size_t>(code)]) return false;
    taken[static_cast<std::size_t>(code)] = true;
  }
  return true;
}

}  // namespace

const char* ParseResultMessage(ParseResult result) {
  switch (result) {
    case ParseResult::OpeningBracketMissing:
      return msg::kOpeningBracketMissing;
    case ParseResult::ClosingBracketMissing:
      return msg::kClosingBracketMissing;
    case ParseResult::DataError:
      return msg::kDataError;
    case ParseResult::SizeMismatch:
      return msg::kSizeMismatch;
    case ParseResult::UnterminatedComment:
      return msg::kUnterminatedComment;
    case ParseResult::Ok:
      break;
  }
  return "";
}

bool SourceParser::LoadFile(const std::filesystem::path& path, Prompt& prompt) {
  try {
    int reason = 0;
    std::optional<Bytes> bytes = ReadWholeFile(path, &reason);
    if (!bytes) {
      prompt.ShowFileError(msg::kUnableToOpenFile, path.string(), reason);
      return false;
    }
    text_.assign(bytes->begin(), bytes->end());
    return true;
  } catch (const std::bad_alloc&) {
    text_.clear();
    prompt.ShowMessage(msg::kUnableToAllocate);
    return false;
  }
}

void SourceParser::SetCellSize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  wordBits_ = 0;
}

ParsedGlyphBlock SourceParser::TakeBlock() {
  ParsedGlyphBlock block{characterCount_, std::move(cells_)};
  if (AreCharacterCodes(commentCodes_, characterCount_)) block.codes = std::move(commentCodes_);
  characterCount_ = 0;
  cells_.clear();
  commentCodes_.clear();
  return block;
}

void SourceParser::StripLineComments(std::string_view marker, bool codeComments) {
  std::string stripped;
  stripped.reserve(text_.size());
  commentCodes_.clear();
  ForEachLine(text_, [&](std::string_view line) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos) {
      stripped += line;
      return;
    }
    stripped += line.substr(0, at);
    stripped += "\r\n";
    if (!codeComments) return;
    if (const std::optional<std::int32_t> code = CodeCommentValue(line.substr(at + marker.size()))) {
      commentCodes_.push_back(*code);
    }
  });
  text_ = std::move(stripped);
}

}  // namespace dotforge
