#include "escpos/streams/escpos_stream.h"

#include <algorithm>
#include <map>
#include <string>

#include "escpos/escpos_messages.h"
#include "escpos/streams/sample_text.h"
#include "formats/streams/stream_writers.h"
#include "formats/writer_support.h"

namespace dotforge {
namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kFirstCode = 0x20;
constexpr std::uint8_t kLastCode = 0x7E;
constexpr std::size_t kColumnBytes = 3;  // 24 dots per column

bool Fits(const CDotforgeImportDoc& doc, const EscPosFontLimits& limits) {
  return doc.width <= limits.width && doc.height <= limits.height;
}

bool Sendable(std::uint32_t code) { return code >= kFirstCode && code <= kLastCode; }

bool HasDots(const CharacterRecord& record, const CDotforgeImportDoc& doc) {
  Bytes scratch;
  const ByteView view = CellOf(record, doc.width, doc.height, scratch);
  Bytes cell(view.begin(), view.end());
  ClearRowPadding(cell, doc.width);
  return std::any_of(cell.begin(), cell.end(), [](std::uint8_t byte) { return byte != 0; });
}

// The characters to define by code; the first of two with one code wins.
std::map<std::uint8_t, const CharacterRecord*> DefinedCharacters(const CDotforgeImportDoc& doc) {
  std::map<std::uint8_t, const CharacterRecord*> byCode;
  for (const auto& record : doc.characters) {
    const std::uint32_t code = CharacterCode(*record);
    if (Sendable(code)) byCode.emplace(static_cast<std::uint8_t>(code), record.get());
  }
  return byCode;
}

// One ESC & per run of consecutive codes; each character's columns are its dots.
void AppendDefinitions(const CDotforgeImportDoc& doc, const std::map<std::uint8_t, const CharacterRecord*>& byCode,
                       CommandStream& stream) {
  Bytes& out = stream.bytes;
  Bytes scratch;
  for (auto run = byCode.begin(); run != byCode.end();) {
    auto end = std::next(run);
    while (end != byCode.end() && end->first == std::prev(end)->first + 1) ++end;
    EscPosCommand command;
    command.bytes.begin = out.size();
    out.insert(out.end(), {kEsc, '&', static_cast<std::uint8_t>(kColumnBytes), run->first, std::prev(end)->first});
    for (; run != end; ++run) {
      out.push_back(static_cast<std::uint8_t>(doc.width));
      const std::size_t columns = out.size();
      RowsToColumns(CellOf(*run->second, doc.width, doc.height, scratch), doc.width, doc.height, kColumnBytes, out);
      command.dots.push_back({columns, out.size()});
    }
    command.bytes.end = out.size();
    stream.commands.push_back(std::move(command));
  }
}

std::string CellTooLargeMessage(EscPosFont font) {
  const EscPosFontLimits limits = LimitsOf(font);
  // Font A is the larger one: there is no other printer font to advise.
  return font == EscPosFont::A
             ? msg::FormatMessage(msg::kEscPosCellTooLargeForA,
                                  {std::to_string(limits.width), std::to_string(limits.height)})
             : msg::FormatMessage(msg::kEscPosCellTooLarge,
                                  {limits.name, std::to_string(limits.width), std::to_string(limits.height)});
}

}  // namespace

EscPosFontLimits LimitsOf(EscPosFont font) {
  return font == EscPosFont::A ? EscPosFontLimits{"A", 12, 24} : EscPosFontLimits{"B", 9, 17};
}

EscPosFont FontForCell(std::int32_t width, std::int32_t height) {
  const EscPosFontLimits b = LimitsOf(EscPosFont::B);
  return width <= b.width && height <= b.height ? EscPosFont::B : EscPosFont::A;
}

std::size_t UnsendableCharacters(const CDotforgeImportDoc& doc) {
  return static_cast<std::size_t>(std::count_if(doc.characters.begin(), doc.characters.end(), [&](const auto& record) {
    return !Sendable(CharacterCode(*record)) && HasDots(*record, doc);
  }));
}

std::optional<EscPosStream> BuildEscPosStream(const CDotforgeImportDoc& doc, const EscPosStreamOptions& options,
                                              Prompt& prompt) {
  const EscPosFontLimits limits = LimitsOf(options.font);
  if (!Fits(doc, limits)) {
    prompt.ShowMessage(CellTooLargeMessage(options.font));
    return std::nullopt;
  }
  std::optional<Bytes> sample;
  if (!options.sampleText.empty()) {
    EncodedText encoded = EncodeSampleText(options.sampleText, options.codePage);
    if (!encoded.bytes) {
      prompt.ShowMessage(msg::FormatMessage(encoded.failure == EncodeFailure::UnknownCodePage
                                                ? msg::kEscPosUnknownEncoding
                                                : msg::kEscPosTextNotEncodable,
                                            {options.codePage}));
      return std::nullopt;
    }
    sample = std::move(encoded.bytes);
  }

  EscPosStream stream;
  const auto byCode = DefinedCharacters(doc);
  stream.defined = byCode.size();
  stream.skipped = UnsendableCharacters(doc);
  stream.bytes.assign(kEscPosPrefixNuls, 0x00);
  stream.AppendCommand({kEsc, '@'});
  stream.AppendCommand({kEsc, 'M', static_cast<std::uint8_t>(options.font == EscPosFont::A ? 0 : 1)});
  AppendDefinitions(doc, byCode, stream);
  stream.AppendCommand({kEsc, '%', 1});
  if (sample) {
    stream.bytes.insert(stream.bytes.end(), sample->begin(), sample->end());
    stream.bytes.push_back(0x0A);
    stream.AppendCommand({kEsc, '%', 0});
  }
  return stream;
}

}  // namespace dotforge
