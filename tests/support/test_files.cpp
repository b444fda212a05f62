#include "support/test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace dotforge::test {

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("dotforge-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& path, ByteView bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes PatternCell(std::int32_t code, std::int32_t width, std::int32_t height) {
  Bytes cell(CellSize(width, height));
  for (std::size_t i = 0; i < cell.size(); ++i) cell[i] = static_cast<std::uint8_t>(code * 7 + i * 13 + (code >> 8));
  return cell;
}

std::unique_ptr<CDotforgeImportDoc> MakeFontSet(std::int32_t width, std::int32_t height,
                                                const std::vector<std::int32_t>& codes, std::int32_t fontType) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  doc->width = width;
  doc->height = height;
  doc->fontType = fontType;
  doc->fontId = fontType == kDoubleByteFont ? '4' : '0';
  for (const std::int32_t code : codes) doc->AppendCharacter(code, width, height).bitmap = PatternCell(code, width, height);
  doc->characterCount = static_cast<std::int32_t>(codes.size());
  return doc;
}

std::vector<std::int32_t> CodeRange(std::int32_t first, std::int32_t last) {
  std::vector<std::int32_t> codes;
  for (std::int32_t code = first; code <= last; ++code) codes.push_back(code);
  return codes;
}

}  // namespace dotforge::test
