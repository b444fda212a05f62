// Glyph edits on bitmaps of any length and cells of any size: the grid
// conversions, every grid operation, Paste between cells of different sizes,
// resize and the font-wide shift and rotate. The first four bytes choose the
// glyph's width and height and a second size (paste target, resize, click
// position); the rest is the glyph's packed bitmap, possibly damaged.
#include <cstdint>
#include <cstdlib>

#include "edit/edit_modes.h"
#include "edit/font_transform.h"
#include "edit/grid_operations.h"
#include "edit/pixel_grid.h"
#include "framework/scripted_prompt.h"
#include "fuzz/reader_fuzz.h"
#include "model/character_operations.h"
#include "model/resize.h"

namespace {

using namespace dotforge;

void CheckGridRoundTrip(ByteView packed, std::int32_t width, std::int32_t height) {
  PixelGrid grid;
  UnpackBitmap(packed, width, height, grid);
  Bytes once;
  PackBitmap(grid, width, height, once);
  if (once.size() != CellSize(width, height)) std::abort();
  UnpackBitmap(once, width, height, grid);
  Bytes twice;
  PackBitmap(grid, width, height, twice);
  if (twice != once) std::abort();

  PixelGrid turned = grid;
  PixelGrid rotated;
  for (int turn = 0; turn < 4; ++turn) {
    RotateClockwise(turned, rotated);
    turned = rotated;
  }
  if (turned.Pixels() != grid.Pixels()) std::abort();
}

void EditGrid(ByteView packed, std::int32_t width, std::int32_t height, std::int32_t column, std::int32_t row) {
  PixelGrid grid;
  UnpackBitmap(packed, width, height, grid);
  for (const auto direction : {ShiftDirection::Down, ShiftDirection::Up, ShiftDirection::Right, ShiftDirection::Left}) {
    ShiftGrid(grid, direction);
  }
  EditModes modes{.addRow = true, .addColumn = true, .deleteRow = true, .deleteColumn = true};
  ApplyModeClick(grid, modes, column, row);
  if (grid.Pixels().back() != 0) std::abort();
}

// A font set of `width` x `height` holding one record of another size with a
// bitmap of any length, as a damaged or mixed-size file can leave it.
std::unique_ptr<CDotforgeImportDoc> FontSetWith(ByteView packed, std::int32_t recordWidth,
                                                std::int32_t recordHeight, std::int32_t width, std::int32_t height) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  doc->width = width;
  doc->height = height;
  doc->fontType = kDoubleByteFont;
  doc->AppendCharacter(0x41, recordWidth, recordHeight).bitmap.assign(packed.begin(), packed.end());
  doc->AppendCharacter(0x42, width, height);
  doc->characterCount = 2;
  return doc;
}

void EditFontSet(ByteView packed, std::int32_t width, std::int32_t height, std::int32_t otherWidth,
                 std::int32_t otherHeight) {
  ScriptedPrompt prompt;
  auto doc = FontSetWith(packed, width, height, otherWidth, otherHeight);
  doc->selected = doc->characters[0].get();
  PasteCharacter(*doc, CopiedCharacter{otherWidth, otherHeight, Bytes(packed.begin(), packed.end())}, prompt);
  doc->selected = doc->characters[1].get();
  PasteCharacter(*doc, CopiedCharacter{width, height, Bytes(packed.begin(), packed.end())}, prompt);
  ShiftFontSet(*doc, ShiftDirection::Left);
  RotateFontSet(*doc);
  if (ResizeFontSet(*doc, otherWidth, otherHeight, prompt)) fuzz::CheckInvariants(*doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const ByteView bytes(data, size);
  const std::int32_t width = AsSigned8(bytes[0]);
  const std::int32_t height = AsSigned8(bytes[1]);
  const std::int32_t other = AsSigned8(bytes[2]);
  const std::int32_t otherHeight = AsSigned8(bytes[3]);
  const ByteView packed = bytes.subspan(4);
  CheckGridRoundTrip(packed, width, height);
  EditGrid(packed, width, height, other, otherHeight);
  EditFontSet(packed, width, height, other, otherHeight);
  return 0;
}
