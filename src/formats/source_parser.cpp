#include "formats/source_parser.h"

#include <new>

#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "platform/file_io.h"

namespace dotforge {

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
  characterCount_ = 0;
  cells_.clear();
  return block;
}

void SourceParser::StripLineComments(std::string_view marker) {
  std::string stripped;
  stripped.reserve(text_.size());
  ForEachLine(text_, [&](std::string_view line) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos) {
      stripped += line;
    } else {
      stripped += line.substr(0, at);
      stripped += "\r\n";
    }
  });
  text_ = std::move(stripped);
}

}  // namespace dotforge
