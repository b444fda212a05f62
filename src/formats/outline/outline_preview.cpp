#include "formats/outline/outline_preview.h"

#include <cstdio>

#include "formats/outline/baseline_glyph_renderer.h"
#include "formats/codepages/code_page_encoder.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "formats/outline/outline_codes.h"
#include "formats/codepages/printer_code_pages.h"
#include "model/character_record.h"

namespace dotforge {
namespace {

std::string CodeLabel(std::uint32_t code) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(code));
  return digits;
}

// The sample character drawn into its cell, labelled with the code it would get.
FacePreviewCell SampleCell(FT_Library library, FT_Face face, char32_t character, const CodePageEncoder* encoder,
                           const CellLayout& layout) {
  FacePreviewCell cell;
  cell.dots.assign(CellSize(layout.width, layout.height), 0);
  const std::optional<std::uint32_t> code =
      encoder ? encoder->Encode(character) : std::optional<std::uint32_t>(static_cast<std::uint32_t>(character));
  if (!code) {
    cell.label = msg::kPreviewNoCode;
    return cell;
  }
  cell.label = CodeLabel(*code);
  const FT_UInt glyph = FT_Get_Char_Index(face, character);
  if (glyph != 0 && !DrawGlyphOnBaseline(library, face, glyph, layout, cell.dots.data(), cell.cut)) {
    cell.dots.assign(cell.dots.size(), 0);
  }
  return cell;
}

}  // namespace

FacePreview RenderFacePreview(FT_Library library, const std::string& path, std::int32_t width, std::int32_t height,
                              const FontFacesAnswer& answer) {
  FacePreview preview;
  preview.width = width;
  preview.height = height;
  if (answer.face < 0) {
    preview.problem = msg::kPreviewSelectFace;
    return preview;
  }
  if (const std::optional<const char*> problem = CheckKeepCodesNumbers(answer)) {
    preview.problem = *problem;
    return preview;
  }
  FT_Error error = 0;
  const FreeTypeFace face = OpenFace(library, path.c_str(), answer.face, error);
  if (!face) {
    preview.problem = msg::kFontOpenFailed;
    return preview;
  }
  if (!SelectUnicodeMap(face.get())) {
    preview.problem = msg::kNoUnicodeMap;
    return preview;
  }
  std::optional<CodePageEncoder> encoder;
  if (!answer.encoding.empty() && !(encoder = CodePageEncoder::Open(answer.encoding))) {
    preview.problem = msg::kUnknownCodePage + answer.encoding;
    return preview;
  }
  preview.pixelSize = answer.pixelSize > 0 ? answer.pixelSize : DefaultPixelSize(face.get(), height);
  if (!SetPixelSize(face.get(), preview.pixelSize)) {
    preview.problem = msg::kNothingToRender;
    return preview;
  }
  preview.baseline = answer.baseline.value_or(DefaultBaseline(face.get(), height));
  const CellLayout layout{width, height, preview.baseline};
  for (const char32_t character : PreviewSample(answer.encoding)) {
    preview.cells.push_back(SampleCell(library, face.get(), character, encoder ? &*encoder : nullptr, layout));
  }
  return preview;
}

}  // namespace dotforge
