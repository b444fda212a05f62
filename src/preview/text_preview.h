#pragma once
// The whole preview of a font set: text and encoding to codes, the glyphs
// looked up and drawn. The desktop panel and dotforge-cli both call this.

#include <optional>
#include <string>

#include "escpos/dot_image.h"
#include "model/font_set.h"

namespace dotforge {

struct PreviewRequest {
  std::string text;      // UTF-8 with the escapes of preview_text.h
  std::string encoding;  // empty: the font type's default
  int zoom = 1;          // 1..8
};

enum class PreviewFailure { None, UnknownEncoding, BadEscape, TooLarge };

struct PreviewPicture {
  std::optional<DotImage> image;
  PreviewFailure failure = PreviewFailure::None;
  std::string error;  // the message of the failure
};

// The encoding a font set of `fontType` starts with: CP437, or UTF-16 for double-byte sets.
std::string DefaultPreviewEncoding(std::int32_t fontType);

PreviewPicture MakePreview(const CDotforgeImportDoc& fontSet, const PreviewRequest& request);

}  // namespace dotforge
