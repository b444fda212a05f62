#include "formats/bitmap/unifont_hex_reader.h"
#include "fuzz/bitmap_font_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return dotforge::fuzz::FuzzBitmapFont(data, size, dotforge::ReadUnifontHex);
}
