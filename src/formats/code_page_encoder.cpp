#include "formats/code_page_encoder.h"

#include <iconv.h>

#include <array>

namespace dotforge {
namespace {

constexpr std::size_t kMaxCodeBytes = 2;
// Room for what a stateful code page may add, so that such output is seen whole
// and refused rather than cut.
constexpr std::size_t kOutputRoom = 16;

iconv_t AsIconv(void* handle) { return static_cast<iconv_t>(handle); }

}  // namespace

void CodePageEncoder::Release::operator()(void* handle) const { iconv_close(AsIconv(handle)); }

std::optional<CodePageEncoder> CodePageEncoder::Open(const std::string& name) {
  const iconv_t handle = iconv_open(name.c_str(), "UTF-32BE");
  if (handle == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  return CodePageEncoder(handle);
}

std::optional<std::uint32_t> CodePageEncoder::Encode(char32_t codePoint) const {
  std::array<char, 4> input = {static_cast<char>(codePoint >> 24), static_cast<char>(codePoint >> 16),
                               static_cast<char>(codePoint >> 8), static_cast<char>(codePoint)};
  std::array<char, kOutputRoom> output{};
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const iconv_t handle = AsIconv(handle_.get());
  iconv(handle, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
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
