#include <cstdlib>
#include <string_view>

#include "formats/code_ranges.h"

// Every parsed range runs upwards and holds its own ends.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  const auto ranges = ParseCodeRanges(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!ranges) return 0;
  for (const CodeRange& range : *ranges) {
    if (range.first > range.last || !InCodeRanges(*ranges, range.first) || !InCodeRanges(*ranges, range.last)) {
      std::abort();
    }
  }
  return 0;
}
