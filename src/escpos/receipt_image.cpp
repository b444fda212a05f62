#include "escpos/receipt_image.h"

#include <png.h>

#include <algorithm>

namespace dotforge {
namespace {

// Draws one cell with its top left corner at (left, top) into `set`.
template <typename SetDot>
void DrawCell(const PrintedCell& cell, std::int32_t left, std::int32_t top, const SetDot& set) {
  const EscPosFontLimits limits = LimitsOf(cell.font);
  for (std::int32_t y = 0; y < limits.height; ++y) {
    for (std::int32_t x = 0; x < limits.width; ++x) {
      const bool black = cell.glyph ? cell.glyph->Dot(x, y)
                                    : (y == 0 || y == limits.height - 1 || x == 0 || x == limits.width - 1);
      if (black) set(left + x, top + y);
    }
  }
}

std::int32_t LineWidth(const PrintedLine& line) {
  std::int32_t width = 0;
  for (const PrintedCell& cell : line) width += LimitsOf(cell.font).width;
  return width;
}

std::int32_t LineHeight(const PrintedLine& line) {
  std::int32_t height = 0;
  for (const PrintedCell& cell : line) height = std::max(height, LimitsOf(cell.font).height);
  return height;
}

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

}  // namespace

ReceiptImage RenderReceipt(const std::vector<PrintedLine>& lines) {
  ReceiptImage image;
  // A picture has at least one row, even of an empty receipt.
  image.height = std::max<std::int32_t>(1, static_cast<std::int32_t>(lines.size()) * kLinePitch);
  image.dots.assign(static_cast<std::size_t>(image.width * image.height), 0);
  for (std::size_t row = 0; row < lines.size(); ++row) {
    std::int32_t left = 0;
    const auto top = static_cast<std::int32_t>(row) * kLinePitch;
    for (const PrintedCell& cell : lines[row]) {
      DrawCell(cell, left, top, [&](std::int32_t x, std::int32_t y) {
        if (x < image.width) image.dots[static_cast<std::size_t>(y * image.width + x)] = 1;
      });
      left += LimitsOf(cell.font).width;
    }
  }
  return image;
}

std::string LineArt(const PrintedLine& line) {
  const std::int32_t width = LineWidth(line);
  const std::int32_t height = LineHeight(line);
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  std::int32_t left = 0;
  for (const PrintedCell& cell : line) {
    DrawCell(cell, left, 0, [&](std::int32_t x, std::int32_t y) { rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#'; });
    left += LimitsOf(cell.font).width;
  }
  std::string art;
  for (const std::string& row : rows) art += row + '\n';
  return art;
}

bool EncodePng(const ReceiptImage& image, Bytes& out) {
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
