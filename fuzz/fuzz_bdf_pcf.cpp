#include "formats/bitmap/freetype_bitmap_reader.h"
#include "fuzz/bitmap_font_fuzz.h"

// FreeType's BDF and PCF drivers parse; the target checks what our reader takes
// from the glyph slots.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return dotforge::fuzz::FuzzBitmapFont(data, size, dotforge::ReadFreeTypeBitmapFont);
}
