#include "preview/text_preview.h"

#include "preview/glyph_index.h"
#include "preview/preview_encoding.h"
#include "preview/preview_messages.h"
#include "preview/preview_render.h"
#include "preview/preview_text.h"

namespace dotforge {

std::string DefaultPreviewEncoding(std::int32_t fontType) { return PreviewEncodings(fontType).front(); }

PreviewPicture MakePreview(const CDotforgeImportDoc& fontSet, const PreviewRequest& request) {
  PreviewPicture picture;
  const std::string encoding = request.encoding.empty() ? DefaultPreviewEncoding(fontSet.fontType) : request.encoding;
  const std::optional<PreviewEncoder> encoder = PreviewEncoder::Open(encoding);
  if (!encoder) {
    picture.failure = PreviewFailure::UnknownEncoding;
    picture.error = msg::FormatMessage(msg::kPreviewUnknownEncoding, {encoding});
    return picture;
  }
  const PreviewText text = ParsePreviewText(request.text, *encoder);
  if (!text.error.empty()) {
    picture.failure = PreviewFailure::BadEscape;
    picture.error = text.error;
    return picture;
  }
  const GlyphIndex glyphs(fontSet);
  picture.image = RenderPreview(glyphs, text.lines, request.zoom);
  if (!picture.image) {
    picture.failure = PreviewFailure::TooLarge;
    const PreviewSize size = PreviewSizeOf(glyphs, text.lines, request.zoom);
    picture.error = msg::FormatMessage(msg::kPreviewTooLarge, {std::to_string(size.width), std::to_string(size.height)});
  }
  return picture;
}

}  // namespace dotforge
