#include "escpos/escpos_stream.h"

#include <map>
#include <string>

#include "escpos/escpos_messages.h"
#include "escpos/sample_text.h"
#include "formats/stream_writers.h"
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

// The characters to define by code; the first of two with one code wins.
std::map<std::uint8_t, const CharacterRecord*> DefinedCharacters(const CDotforgeImportDoc& doc,
                                                                 std::size_t& skipped) {
  std::map<std::uint8_t, const CharacterRecord*> byCode;
  for (const auto& record : doc.characters) {
    const std::uint32_t code = CharacterCode(*record);
    if (code < kFirstCode || code > kLastCode) {
      ++skipped;
      continue;
    }
    byCode.emplace(static_cast<std::uint8_t>(code), record.get());
  }
  return byCode;
}

void AppendDefinitions(const CDotforgeImportDoc& doc, const std::map<std::uint8_t, const CharacterRecord*>& byCode,
                       Bytes& out) {
  Bytes scratch;
  for (auto run = byCode.begin(); run != byCode.end();) {
    auto end = std::next(run);
    while (end != byCode.end() && end->first == std::prev(end)->first + 1) ++end;
    const std::uint8_t header[] = {kEsc, '&', static_cast<std::uint8_t>(kColumnBytes), run->first,
                                   std::prev(end)->first};
    out.insert(out.end(), std::begin(header), std::end(header));
    for (; run != end; ++run) {
      out.push_back(static_cast<std::uint8_t>(doc.width));
      RowsToColumns(CellOf(*run->second, doc.width, doc.height, scratch), doc.width, doc.height, kColumnBytes, out);
    }
  }
}

}  // namespace

EscPosFontLimits LimitsOf(EscPosFont font) {
  return font == EscPosFont::A ? EscPosFontLimits{"A", 12, 24} : EscPosFontLimits{"B", 9, 17};
}

EscPosFont FontForCell(std::int32_t width, std::int32_t height) {
  const EscPosFontLimits b = LimitsOf(EscPosFont::B);
  return width <= b.width && height <= b.height ? EscPosFont::B : EscPosFont::A;
}

std::optional<EscPosStream> BuildEscPosStream(const CDotforgeImportDoc& doc, const EscPosStreamOptions& options,
                                              Prompt& prompt) {
  const EscPosFontLimits limits = LimitsOf(options.font);
  if (!Fits(doc, limits)) {
    prompt.ShowMessage(msg::FormatMessage(msg::kEscPosCellTooLarge, {limits.name, std::to_string(limits.width),
                                                                     std::to_string(limits.height)}));
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
  const auto byCode = DefinedCharacters(doc, stream.skipped);
  stream.defined = byCode.size();
  stream.bytes = {kEsc, 'M', static_cast<std::uint8_t>(options.font == EscPosFont::A ? 0 : 1)};
  AppendDefinitions(doc, byCode, stream.bytes);
  stream.bytes.insert(stream.bytes.end(), {kEsc, '%', 1});
  if (sample) {
    stream.bytes.insert(stream.bytes.end(), sample->begin(), sample->end());
    stream.bytes.insert(stream.bytes.end(), {0x0A, kEsc, '%', 0});
  }
  if (stream.skipped > 0) {
    prompt.ShowMessage(msg::FormatMessage(msg::kEscPosSkipped, {std::to_string(stream.skipped)}));
  }
  return stream;
}

}  // namespace dotforge
