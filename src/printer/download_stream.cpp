#include "printer/download_stream.h"

#include <algorithm>
#include <set>

#include "model/download_file.h"
#include "printer/printer_messages.h"
#include "printer/printer_protocol.h"

namespace dotforge {
namespace {

constexpr std::uint32_t kFirstCode = 0x20;
constexpr std::uint32_t kLastCode = 0xFF;
constexpr std::int32_t kLargestDownloadSide = 127;

// The codes that get their own cell in the single-byte stream: the same rule
// the DSB writer follows.
std::set<std::uint32_t> SingleByteCodes(const CDotforgeImportDoc& doc) {
  std::set<std::uint32_t> codes;
  std::uint32_t next = kFirstCode;
  for (const auto& record : doc.characters) {
    const std::optional<std::uint32_t> code = ParseLabelCode(record->label);
    if (!code || *code < next || *code > kLastCode) continue;
    codes.insert(*code);
    next = *code + 1;
  }
  return codes;
}

std::optional<DownloadStream> SingleByteStream(const CDotforgeImportDoc& doc, Prompt& prompt) {
  std::optional<Bytes> bytes = EncodeDsbFile(doc, WireFontName(doc.GetTitle()), prompt);
  if (!bytes) return std::nullopt;
  DownloadStream stream{std::move(*bytes), {}};
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  const std::set<std::uint32_t> codes = SingleByteCodes(doc);
  const std::uint32_t lastCharacter = codes.empty() ? kFirstCode - 1 : *codes.rbegin();

  stream.slot = static_cast<std::uint8_t>(doc.fontId);
  stream.steps.push_back({0, kDsbHeaderSize, -1, false, kDsbHeaderSize});
  for (std::uint32_t position = kFirstCode; position <= kLastCode; ++position) {
    DownloadStep step{kDsbHeaderSize + (position - kFirstCode) * cellSize, cellSize};
    // After a character the position has moved past it; a trailing blank cell
    // shows its own position. Blank cells before a character show nothing.
    if (codes.count(position)) {
      step.progress = static_cast<int>((position + 1 - 31) * 100 / 224);
    } else if (position > lastCharacter) {
      step.progress = static_cast<int>((position - 31) * 100 / 224);
    }
    stream.steps.push_back(step);
  }
  stream.steps.back().awaitReply = true;
  return stream;
}

std::optional<DownloadStream> DoubleByteStream(const CDotforgeImportDoc& doc, Prompt& prompt) {
  std::optional<Bytes> bytes = EncodeDdbFile(doc, WireFontName(doc.GetTitle()), prompt);
  if (!bytes) return std::nullopt;
  DownloadStream stream{std::move(*bytes), {}};
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  const std::size_t total = doc.characters.size();
  std::size_t sent = 0;
  std::size_t offset = 0;
  while (stream.bytes.size() - offset > kDdbEndRecordSize) {
    const std::size_t count = GetU16LE(stream.bytes, offset + 15);
    const std::size_t length = kDdbBlockHeaderSize + count * cellSize;
    stream.bytes[offset + 10] = static_cast<std::uint8_t>(doc.fontId);
    sent += count;
    stream.steps.push_back({offset, length, static_cast<int>(sent * 100 / total), true, kDdbBlockHeaderSize});
    offset += length;
  }
  stream.steps.push_back({offset, kDdbEndRecordSize, -1, true, kDdbEndRecordSize});
  stream.slot = static_cast<std::uint8_t>(doc.fontId);
  return stream;
}

// The step's bytes from `position` on, cell data blank.
void AppendBlanked(Bytes& out, const DownloadStream& stream, const DownloadStep& step, std::size_t position) {
  for (std::size_t at = std::max(position, step.offset); at < step.offset + step.length; ++at) {
    out.push_back(at < step.offset + step.header ? stream.bytes[at] : 0);
  }
}

}  // namespace

std::vector<Bytes> CancelTail(const DownloadStream& stream, std::size_t position) {
  std::vector<Bytes> pieces;
  if (position == 0) return pieces;  // nothing of the font went out
  std::size_t step = 0;
  while (step < stream.steps.size() && stream.steps[step].offset + stream.steps[step].length <= position) ++step;
  if (step == stream.steps.size()) return pieces;
  const bool betweenCommands = step > 0 && stream.steps[step].offset == position && stream.steps[step - 1].awaitReply;
  if (!betweenCommands) {
    Bytes rest;
    for (;; ++step) {
      AppendBlanked(rest, stream, stream.steps[step], position);
      if (stream.steps[step].awaitReply) break;
    }
    pieces.push_back(std::move(rest));
    ++step;
  }
  if (step < stream.steps.size()) {
    Bytes last;
    AppendBlanked(last, stream, stream.steps.back(), 0);
    pieces.push_back(std::move(last));
  }
  return pieces;
}

std::optional<DownloadStream> BuildDownloadStream(const CDotforgeImportDoc& doc, Prompt& prompt) {
  // The headers carry each side in one byte the printer reads as signed.
  if (doc.width > kLargestDownloadSide || doc.height > kLargestDownloadSide) {
    prompt.ShowMessage(msg::kCellTooLargeToDownload);
    return std::nullopt;
  }
  if (doc.fontType == kSingleByteFont) return SingleByteStream(doc, prompt);
  if (doc.fontType == kDoubleByteFont) return DoubleByteStream(doc, prompt);
  return DownloadStream{};
}

}  // namespace dotforge
