#pragma once
// Helpers shared by the tests: temporary folders and small font sets.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <vector>

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, ByteView bytes);
Bytes ReadBytes(const std::filesystem::path& path);

// A font set of the given cell size holding `codes`, each glyph filled with a
// pattern derived from its code so that mix-ups show.
std::unique_ptr<CDotforgeImportDoc> MakeFontSet(std::int32_t width, std::int32_t height,
                                                const std::vector<std::int32_t>& codes, std::int32_t fontType = 0);

// The same pattern MakeFontSet uses for a character of `code`.
Bytes PatternCell(std::int32_t code, std::int32_t width, std::int32_t height);

// Codes from `first` to `last` inclusive.
std::vector<std::int32_t> CodeRange(std::int32_t first, std::int32_t last);

}  // namespace dotforge::test
