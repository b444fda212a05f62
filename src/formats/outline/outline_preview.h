#pragma once
// The faces dialog's preview of a keep-codes import: a few sample characters of
// the chosen face drawn into cells as the import would draw them.

#include <cstdint>
#include <string>

#include "formats/outline/freetype_handles.h"
#include "framework/dialog_requests.h"

namespace dotforge {

// The samples of face `answer.face` of the file at the answer's pixel size,
// baseline and code page, in a `width` x `height` cell. A choice that cannot be
// drawn (no face selected, no Unicode map, unknown code page, a size out of
// range) gives no cells and the reason in `problem`.
FacePreview RenderFacePreview(FT_Library library, const std::string& path, std::int32_t width, std::int32_t height,
                              const FontFacesAnswer& answer);

}  // namespace dotforge
