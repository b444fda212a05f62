#include "formats/bitmap/bitmap_code_rules.h"

#include <algorithm>

#include "formats/codepages/code_ranges.h"
#include "model/font_set.h"

namespace dotforge {
namespace {

constexpr std::uint32_t kFirstCode = 0x20;
constexpr std::uint32_t kLastSingleByteCode = 0xFF;
constexpr std::uint32_t kLastCode = 0xFFFF;

struct Candidate {
  std::uint32_t code;
  std::uint32_t sourceCode;
  std::size_t glyph;
};

// The code a glyph takes, or nothing (counted) when a rule leaves it out.
std::optional<std::uint32_t> CodeOf(std::uint32_t sourceCode, const BitmapImportOptions& options,
                                    const CodePageEncoder* encoder, BitmapImportCounts& counts) {
  if (sourceCode < kFirstCode) {
    ++counts.belowSpace;
    return std::nullopt;
  }
  std::uint32_t code = sourceCode;
  if (encoder) {
    const std::optional<std::uint32_t> encoded = encoder->Encode(static_cast<char32_t>(sourceCode));
    if (!encoded) {
      ++counts.notEncodable;
      return std::nullopt;
    }
    if (*encoded < kFirstCode) {
      ++counts.belowSpace;
      return std::nullopt;
    }
    code = *encoded;
  }
  if (!options.codes.empty() && !InCodeRanges(options.codes, code)) {
    ++counts.outsideCodes;
    return std::nullopt;
  }
  const bool single = options.fontType == kSingleByteFont;
  if (code > (single ? kLastSingleByteCode : kLastCode)) {
    ++counts.outsideType;
    return std::nullopt;
  }
  return code;
}

}  // namespace

std::vector<CodedGlyph> ChooseCodes(const BitmapFont& font, const BitmapImportOptions& options,
                                    const CodePageEncoder* encoder, BitmapImportCounts& counts) {
  std::vector<std::uint32_t> sourceCodes;
  sourceCodes.reserve(font.glyphs.size());
  for (const BitmapGlyph& glyph : font.glyphs) sourceCodes.push_back(glyph.code);
  return ChooseCodes(sourceCodes, options, encoder, counts);
}

std::vector<CodedGlyph> ChooseCodes(const std::vector<std::uint32_t>& sourceCodes, const BitmapImportOptions& options,
                                    const CodePageEncoder* encoder, BitmapImportCounts& counts) {
  std::vector<Candidate> candidates;
  candidates.reserve(sourceCodes.size());
  for (std::size_t i = 0; i < sourceCodes.size(); ++i) {
    const std::uint32_t sourceCode = sourceCodes[i];
    if (const std::optional<std::uint32_t> code = CodeOf(sourceCode, options, encoder, counts)) {
      candidates.push_back(Candidate{*code, sourceCode, i});
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.code != b.code ? a.code < b.code : a.sourceCode < b.sourceCode;
  });
  std::vector<CodedGlyph> kept;
  kept.reserve(candidates.size());
  for (const Candidate& candidate : candidates) {
    if (!kept.empty() && kept.back().code == candidate.code) {
      ++counts.sameCode;
      continue;
    }
    kept.push_back(CodedGlyph{candidate.code, candidate.glyph});
  }
  counts.kept = static_cast<std::int32_t>(kept.size());
  return kept;
}

std::int32_t ChosenFontType(const std::vector<CodedGlyph>& kept, const BitmapImportOptions& options) {
  if (options.fontType) return *options.fontType;
  return !kept.empty() && kept.back().code > kLastSingleByteCode ? kDoubleByteFont : kSingleByteFont;
}

}  // namespace dotforge
