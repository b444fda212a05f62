#include "formats/bitmap/bitmap_font_import.h"

#include "formats/bitmap/bitmap_cell_placement.h"
#include "formats/bitmap/bitmap_code_rules.h"
#include "formats/formats_messages.h"
#include "formats/bitmap/freetype_bitmap_reader.h"
#include "formats/bitmap/gzip_bytes.h"
#include "formats/bitmap/psf_reader.h"
#include "formats/bitmap/unifont_hex_reader.h"
#include "model/character_record.h"
#include "model/file_access.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

std::optional<BitmapFont> ReadFont(int importType, ByteView bytes, std::string& problem) {
  switch (importType) {
    case kFormatPsf:
      return ReadPsfFont(bytes, problem);
    case kFormatHex:
      return ReadUnifontHex(bytes, problem);
    default:
      return ReadFreeTypeBitmapFont(bytes, problem);
  }
}

// The file's font, unpacked first when it is gzip-compressed.
std::optional<BitmapFont> LoadFont(const ImportRequest& request, Prompt& prompt) {
  std::optional<Bytes> bytes = LoadFontFile(request.fileName, prompt);
  if (!bytes) return std::nullopt;
  if (IsGzip(*bytes)) {
    GunzipFault fault = GunzipFault::Damaged;
    bytes = Gunzip(*bytes, &fault);
    if (!bytes) {
      prompt.ShowMessage(fault == GunzipFault::TooLarge ? request.fileName.filename().string() + msg::kGzipTooLarge
                                                        : std::string(msg::kGzipDamaged));
      return std::nullopt;
    }
  }
  std::string problem;
  std::optional<BitmapFont> font = ReadFont(request.importType, *bytes, problem);
  if (!font) prompt.ShowMessage(problem);
  return font;
}

void AppendCount(std::string& text, std::int32_t count, const char* reason) {
  if (count == 0) return;
  text += (text.empty() ? "" : ", ") + std::to_string(count) + reason;
}

ParsedGlyphBlock PlaceGlyphs(const BitmapFont& font, const std::vector<CodedGlyph>& kept, const CellLayout& layout,
                             std::int32_t fontType, BitmapImportCounts& counts) {
  const std::size_t cellBytes = CellSize(layout.width, layout.height);
  ParsedGlyphBlock block;
  block.characterCount = static_cast<std::int32_t>(kept.size());
  block.fontType = fontType;
  block.bytes.assign(cellBytes * kept.size(), 0);
  block.baseline = layout.baseline;
  block.codes.reserve(kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const BitmapGlyph& glyph = font.glyphs[kept[i].glyph];
    block.codes.push_back(static_cast<std::int32_t>(kept[i].code));
    // A character re-encoded into a code page keeps the Unicode character it was.
    if (font.unicodeCodes) block.unicodes.push_back(static_cast<char32_t>(glyph.code));
    if (PlaceGlyph(glyph, layout, block.bytes.data() + i * cellBytes)) ++counts.cut;
  }
  return block;
}

}  // namespace

bool ImportBitmapFont(ImportRequest& request, Prompt& prompt) {
  const BitmapImportOptions& options = request.bitmapOptions;
  std::optional<CodePageEncoder> encoder;
  if (!options.encoding.empty()) {
    encoder = CodePageEncoder::Open(options.encoding);
    if (!encoder) {
      prompt.ShowMessage(msg::kUnknownCodePage + options.encoding);
      return false;
    }
  }
  const std::optional<BitmapFont> font = LoadFont(request, prompt);
  if (!font) return false;
  if (encoder && !font->unicodeCodes) {
    prompt.ShowMessage(msg::kCodesNotUnicode);
    return false;
  }

  BitmapImportCounts counts;
  const std::vector<CodedGlyph> kept = ChooseCodes(*font, options, encoder ? &*encoder : nullptr, counts);
  if (kept.empty()) {
    prompt.ShowMessage(font->glyphs.empty() ? msg::kNoGlyphs : msg::kNoCharactersKept + BitmapImportSummary(counts));
    return false;
  }
  const CellLayout layout = DefaultCellLayout(*font, request.width, request.height, options.baseline);
  request.glyphBlock = PlaceGlyphs(*font, kept, layout, ChosenFontType(kept, options), counts);
  request.width = layout.width;
  request.height = layout.height;
  request.bitmapCounts = counts;
  request.bitmapCounts.baseline = layout.baseline;
  return true;
}

std::string BitmapImportSummary(const BitmapImportCounts& counts) {
  std::string reasons;
  AppendCount(reasons, counts.belowSpace, msg::kSummaryBelowSpace);
  AppendCount(reasons, counts.notEncodable, msg::kSummaryNotEncodable);
  AppendCount(reasons, counts.outsideCodes, msg::kSummaryOutsideCodes);
  AppendCount(reasons, counts.outsideType, msg::kSummaryOutsideType);
  AppendCount(reasons, counts.sameCode, msg::kSummarySameCode);
  std::string text = std::to_string(counts.kept) + msg::kSummaryKept + std::to_string(counts.Skipped()) +
                     msg::kSummarySkipped;
  if (!reasons.empty()) text += " (" + reasons + ")";
  return text + ", " + std::to_string(counts.cut) + msg::kSummaryCut;
}

bool ReadBitmapFont(const FormatRead& read) { return ImportBitmapFont(read.request, read.prompt); }

}  // namespace dotforge
