#include "formats/streams/stream_files.h"

#include <algorithm>

#include "formats/download/download_files.h"
#include "formats/formats_messages.h"
#include "model/file_access.h"

namespace dotforge {
namespace {

constexpr std::int32_t kMaxEscStreamHeight = 24;
constexpr std::int32_t kMaxStreamSide = 255;

using StreamEncoder = Bytes (*)(const CDotforgeImportDoc&, std::size_t, bool&, Prompt&);

// The stream headers hold the width (and the US & height) in one byte each.
bool CheckStreamCell(const CDotforgeImportDoc& doc, bool heightInHeader, Prompt& prompt) {
  const bool widthFits = doc.width >= 1 && doc.width <= kMaxStreamSide;
  const bool heightFits = doc.height >= 1 && (!heightInHeader || doc.height <= kMaxStreamSide);
  if (widthFits && heightFits) return true;
  prompt.ShowMessage(msg::kStreamCellTooLarge);
  return false;
}

// The file is written with the first characters it can hold; the user learns how
// many were left out after them (codes above 0xFF have their own warning).
bool WriteStream(const FormatWrite& write, StreamEncoder encode, bool heightInHeader, bool& warn) {
  const std::optional<std::size_t> maxCharacters = AskSingleByteLimit(write.doc, write.prompt);
  if (!maxCharacters || !CheckStreamCell(write.doc, heightInHeader, write.prompt)) return false;
  const Bytes file = encode(write.doc, *maxCharacters, warn, write.prompt);
  if (!SaveFontFile(write.path, file, write.prompt)) return false;
  const std::size_t written = std::min(*maxCharacters, write.doc.characters.size());
  const std::size_t leftOut = write.doc.characters.size() - written;
  if (leftOut > 0) write.prompt.ShowMessage(std::to_string(leftOut) + msg::kStreamCharactersLeftOut);
  return true;
}

}  // namespace

bool WriteEscStream(const FormatWrite& write) {
  if (write.doc.height > kMaxEscStreamHeight) {
    write.prompt.ShowMessage(msg::kHeightAbove24);
    return false;
  }
  return WriteStream(write, &EncodeStream1B26File, false, write.warnings.escStream);
}

bool WriteUsStream(const FormatWrite& write) {
  return WriteStream(write, &EncodeStream1F26File, true, write.warnings.usStream);
}

}  // namespace dotforge
