#include "model/resize.h"

#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kLargestSide = 127;  // the font files store each side in a signed byte

}  // namespace

bool IsResizableCellSize(std::int32_t width, std::int32_t height) {
  return width >= 1 && height >= 1 && width <= kLargestSide && height <= kLargestSide;
}

bool ResizeFontSet(CDotforgeImportDoc& doc, std::int32_t width, std::int32_t height, Prompt& prompt) {
  if (width < 1 || height < 1) {
    prompt.ShowMessage(msg::kWidthHeightZero);
    return false;
  }
  if (!IsResizableCellSize(width, height)) {
    prompt.ShowMessage(msg::kCellSizeTooLarge);
    return false;
  }
  for (const auto& record : doc.characters) {
    Bytes fitted;
    fitted.reserve(CellSize(width, height));
    AppendFittedCell(fitted, *record, width, height);
    record->bitmap = std::move(fitted);
    record->width = width;
    record->height = height;
  }
  doc.width = width;
  doc.height = height;
  doc.SetModifiedFlag();
  return true;
}

}  // namespace dotforge
