#include "escpos/png_writer.h"

#include <png.h>

#include <vector>

namespace dotforge {
namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

}  // namespace

bool EncodePng(const DotImage& image, Bytes& out) {
  if (image.width < 1 || image.height < 1) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  Bytes encoded;
  // Packed rows built before libpng may jump out, so nothing is left to free.
  const std::size_t rowBytes = static_cast<std::size_t>(image.width + 7) / 8;
  std::vector<Bytes> rows(static_cast<std::size_t>(image.height), Bytes(rowBytes, 0xFF));
  std::vector<png_bytep> rowPointers;
  for (std::int32_t y = 0; y < image.height; ++y) {
    for (std::int32_t x = 0; x < image.width; ++x) {
      if (image.Black(x, y)) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
    }
    rowPointers.push_back(rows[static_cast<std::size_t>(y)].data());
  }
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &encoded, AppendToBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 1,
               PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  out = std::move(encoded);
  return true;
}

}  // namespace dotforge
