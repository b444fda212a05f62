#include "formats/codepages/code_page_encoder.h"

#include <array>

namespace dotforge {
namespace {

constexpr std::size_t kMaxCodeBytes = 2;
// Room for what a stateful code page may add, so that such output is seen whole
// and refused rather than cut.
constexpr std::size_t kOutputRoom = 16;

}  // namespace

std::optional<CodePageEncoder> CodePageEncoder::Open(const std::string& name) {
  std::optional<IconvHandle> handle = IconvHandle::Open(name, "UTF-32BE");
  if (!handle) return std::nullopt;
  return CodePageEncoder(std::move(*handle));
}

std::optional<std::uint32_t> CodePageEncoder::Encode(char32_t codePoint) const {
  std::array<char, 4> input = {static_cast<char>(codePoint >> 24), static_cast<char>(codePoint >> 16),
                               static_cast<char>(codePoint >> 8), static_cast<char>(codePoint)};
  std::array<char, kOutputRoom> output{};
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const iconv_t handle = handle_.Get();
  handle_.Reset();
  if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  // A stateful code page returns to its initial state at the end of a character.
  if (iconv(handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  const std::size_t written = output.size() - outLeft;
  if (written == 0 || written > kMaxCodeBytes) return std::nullopt;
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < written; ++i) code = code << 8 | static_cast<std::uint8_t>(output[i]);
  return code;
}

}  // namespace dotforge
