// The C array reader on any text: a font it gives has a cell the format holds
// and one whole packed cell per code.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/firmware/carray_layout.h"
#include "formats/firmware/carray_reader.h"
#include "model/character_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem;
  const std::optional<dotforge::CArrayFont> font =
      dotforge::ReadCArrayFont(std::string_view(reinterpret_cast<const char*>(data), size), problem);
  if (!font) {
    if (problem.empty()) std::abort();
    return 0;
  }
  if (!dotforge::IsCArrayCell(font->width, font->height)) std::abort();
  if (font->cells.size() != font->codes.size() * dotforge::CellSize(font->width, font->height)) std::abort();
  return 0;
}
