#include "receipt/text_lines.h"

#include <algorithm>

#include "preview/glyph_index.h"
#include "preview/preview_messages.h"
#include "preview/preview_render.h"
#include "preview/text_preview.h"
#include "receipt/receipt_messages.h"

namespace dotforge {

std::optional<std::vector<ReceiptLine>> TextReceiptLines(const CDotforgeImportDoc& fontSet,
                                                         const TextPrintRequest& request, std::string& error) {
  const std::string encoding = request.encoding.empty() ? DefaultPreviewEncoding(fontSet.fontType) : request.encoding;
  const std::optional<PreviewEncoder> encoder = PreviewEncoder::Open(encoding);
  if (!encoder) {
    error = msg::FormatMessage(msg::kPreviewUnknownEncoding, {encoding});
    return std::nullopt;
  }
  const PreviewText text = ParsePreviewText(request.text, *encoder);
  if (!text.error.empty()) {
    error = text.error;
    return std::nullopt;
  }
  const GlyphIndex glyphs(fontSet);
  const int zoom = std::clamp(request.zoom, kMinPreviewZoom, kMaxPreviewZoom);
  const std::int32_t cellDots = glyphs.CellWidth() * zoom;
  if (!text.Empty() && cellDots > request.paperDots) {
    error = msg::FormatMessage(msg::kReceiptCharacterTooWide,
                               {std::to_string(cellDots), std::to_string(zoom), std::to_string(request.paperDots)});
    return std::nullopt;
  }
  const std::size_t perRow = static_cast<std::size_t>(request.paperDots / std::max(1, cellDots));
  std::vector<ReceiptLine> lines;
  for (const PreviewLine& line : text.lines) {
    if (line.empty()) lines.emplace_back();
    for (std::size_t start = 0; start < line.size(); start += perRow) {
      const std::size_t end = std::min(line.size(), start + perRow);
      const PreviewLine part(line.begin() + static_cast<std::ptrdiff_t>(start), line.begin() + static_cast<std::ptrdiff_t>(end));
      lines.push_back({RenderPreview(glyphs, {part}, zoom), {}});
    }
  }
  return lines;
}

}  // namespace dotforge
