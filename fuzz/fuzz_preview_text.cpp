#include <cstdlib>
#include <string_view>

#include "preview/glyph_index.h"
#include "preview/preview_render.h"
#include "preview/preview_text.h"

// The text's lines of codes, then their picture with a small set: a refused
// text has no lines, an accepted one at least one, and the picture is the size
// the lines ask for.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  static const std::optional<PreviewEncoder> encoder = PreviewEncoder::Open(kUtf16Encoding);
  static const CDotforgeImportDoc& fontSet = [] () -> const CDotforgeImportDoc& {
    static CDotforgeImportDoc doc;
    doc.width = 3;
    doc.height = 2;
    for (const std::int32_t code : {0x41, 0x8140, 0xD83D}) doc.AppendCharacter(code, 3, 2).bitmap = {0xA0, 0x40};
    // A record smaller than its set's cell.
    doc.AppendCharacter(0x42, 1, 1).bitmap = {0x80};
    return doc;
  }();
  const PreviewText text = ParsePreviewText(std::string_view(reinterpret_cast<const char*>(data), size), *encoder);
  if (text.error.empty() == text.lines.empty()) std::abort();
  if (text.lines.empty()) return 0;
  const GlyphIndex glyphs(fontSet);
  const std::optional<DotImage> picture = RenderPreview(glyphs, text.lines, 1);
  const PreviewSize expected = PreviewSizeOf(glyphs, text.lines, 1);
  if (!picture || picture->width != expected.width || picture->height != expected.height ||
      picture->dots.size() != static_cast<std::size_t>(expected.width * expected.height)) {
    std::abort();
  }
  return 0;
}
