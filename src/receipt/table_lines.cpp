#include "receipt/table_lines.h"

#include <algorithm>
#include <cstdio>

#include "formats/codepages/code_ranges.h"
#include "preview/glyph_index.h"
#include "preview/preview_render.h"
#include "receipt/receipt_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kCellGap = 1;

std::string RowLabel(std::uint32_t code) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04X", code);
  return msg::FormatMessage(msg::kReceiptTableRowLabel, {digits});
}

// The cells of `codes` side by side, kCellGap white columns apart.
DotImage RowPicture(const GlyphIndex& glyphs, const std::vector<std::uint32_t>& codes, int zoom) {
  const std::int32_t cellDots = glyphs.CellWidth() * zoom;
  const auto count = static_cast<std::int32_t>(codes.size());
  DotImage row;
  row.width = count * cellDots + (count - 1) * kCellGap;
  row.height = glyphs.CellHeight() * zoom;
  row.dots.assign(static_cast<std::size_t>(row.width) * static_cast<std::size_t>(row.height), 0);
  for (std::int32_t index = 0; index < count; ++index) {
    const std::optional<DotImage> cell = RenderPreview(glyphs, {{codes[static_cast<std::size_t>(index)]}}, zoom);
    if (!cell) continue;
    const std::int32_t left = index * (cellDots + kCellGap);
    for (std::int32_t y = 0; y < cell->height; ++y) {
      const auto from = cell->dots.begin() + static_cast<std::ptrdiff_t>(y) * cell->width;
      std::copy(from, from + cell->width,
                row.dots.begin() + static_cast<std::ptrdiff_t>(y) * row.width + left);
    }
  }
  return row;
}

}  // namespace

std::vector<std::uint32_t> TableCodes(const CDotforgeImportDoc& fontSet, const std::optional<std::vector<CodeRange>>& codes) {
  std::vector<std::uint32_t> table;
  for (const std::int32_t code : fontSet.codes) {
    const auto value = static_cast<std::uint32_t>(code);
    if (code >= 0 && (!codes || InCodeRanges(*codes, value))) table.push_back(value);
  }
  std::sort(table.begin(), table.end());
  table.erase(std::unique(table.begin(), table.end()), table.end());
  return table;
}

std::optional<std::vector<ReceiptLine>> TableReceiptLines(const CDotforgeImportDoc& fontSet,
                                                          const TablePrintRequest& request, std::string& error) {
  const std::vector<std::uint32_t> codes = TableCodes(fontSet, request.codes);
  if (codes.empty()) {
    error = msg::kReceiptNoCharacters;
    return std::nullopt;
  }
  const GlyphIndex glyphs(fontSet);
  const int zoom = std::clamp(request.zoom, kMinPreviewZoom, kMaxPreviewZoom);
  const std::int32_t cellDots = glyphs.CellWidth() * zoom;
  if (cellDots > request.paperDots) {
    error = msg::FormatMessage(msg::kReceiptCharacterTooWide,
                               {std::to_string(cellDots), std::to_string(zoom), std::to_string(request.paperDots)});
    return std::nullopt;
  }
  // n cells and n - 1 gaps fit: n * (cell + gap) <= paper + gap.
  const std::size_t perRow = static_cast<std::size_t>((request.paperDots + kCellGap) / (cellDots + kCellGap));
  std::vector<ReceiptLine> lines;
  for (std::size_t start = 0; start < codes.size(); start += perRow) {
    const std::vector<std::uint32_t> row(codes.begin() + static_cast<std::ptrdiff_t>(start),
                                         codes.begin() + static_cast<std::ptrdiff_t>(std::min(codes.size(), start + perRow)));
    lines.push_back({std::nullopt, RowLabel(row.front())});
    lines.push_back({RowPicture(glyphs, row, zoom), {}});
  }
  return lines;
}

}  // namespace dotforge
