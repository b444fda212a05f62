#include "formats/codepages/code_page_decoder.h"

#include <array>

namespace dotforge {
namespace {

constexpr std::uint32_t kMaxTwoByteCode = 0xFFFF;
constexpr std::size_t kCodePointBytes = 4;
// Room for two code points, so that a code that decodes into more is seen and refused.
constexpr std::size_t kOutputRoom = 2 * kCodePointBytes;

}  // namespace

std::optional<CodePageDecoder> CodePageDecoder::Open(const std::string& name) {
  std::optional<IconvHandle> handle = IconvHandle::Open("UTF-32BE", name);
  if (!handle) return std::nullopt;
  return CodePageDecoder(std::move(*handle));
}

std::optional<char32_t> CodePageDecoder::Decode(std::uint32_t code) const {
  if (code > kMaxTwoByteCode) return std::nullopt;
  std::array<char, 2> input{};
  std::size_t inLeft = 0;
  if (code > 0xFF) input[inLeft++] = static_cast<char>(code >> 8);
  input[inLeft++] = static_cast<char>(code & 0xFF);
  std::array<unsigned char, kOutputRoom> output{};
  char* in = input.data();
  char* out = reinterpret_cast<char*>(output.data());
  std::size_t outLeft = output.size();
  const iconv_t handle = handle_.Get();
  handle_.Reset();
  // A lead byte without its trail byte is left unconverted: no whole character.
  if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
    return std::nullopt;
  }
  if (output.size() - outLeft != kCodePointBytes) return std::nullopt;
  return static_cast<char32_t>(output[0]) << 24 | static_cast<char32_t>(output[1]) << 16 |
         static_cast<char32_t>(output[2]) << 8 | static_cast<char32_t>(output[3]);
}

}  // namespace dotforge
