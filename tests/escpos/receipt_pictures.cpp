#include "escpos/receipt_pictures.h"

#include <png.h>

#include <algorithm>

namespace dotforge::test {

std::vector<std::uint8_t> PictureOf(const CDotforgeImportDoc& doc, const std::string& text, std::int32_t& height) {
  const std::int32_t lines = static_cast<std::int32_t>(std::count(text.begin(), text.end(), '\n'));
  height = lines * 30;
  std::vector<std::uint8_t> dots(static_cast<std::size_t>(576 * height), 0);
  std::int32_t line = 0, left = 0;
  for (const char c : text) {
    if (c == '\n') {
      ++line;
      left = 0;
      continue;
    }
    const CharacterRecord* record = nullptr;
    for (const auto& candidate : doc.characters) {
      if (candidate->label == FormatLabel(static_cast<unsigned char>(c))) record = candidate.get();
    }
    for (std::int32_t y = 0; y < 24; ++y) {
      for (std::int32_t x = 0; x < 12; ++x) {
        const bool black = record ? (x < doc.width && y < doc.height && record->Pixel(x, y))
                                  : (x == 0 || x == 11 || y == 0 || y == 23);
        if (black) dots[static_cast<std::size_t>((line * 30 + y) * 576 + left + x)] = 1;
      }
    }
    left += 12;
  }
  return dots;
}

std::vector<std::uint8_t> DecodePng(const Bytes& png, std::int32_t& width, std::int32_t& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> grey(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, grey.data(), 0, nullptr)) return {};
  width = static_cast<std::int32_t>(image.width);
  height = static_cast<std::int32_t>(image.height);
  for (auto& value : grey) value = value < 128 ? 1 : 0;
  return grey;
}

}  // namespace dotforge::test
