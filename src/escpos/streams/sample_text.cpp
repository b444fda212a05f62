#include "escpos/streams/sample_text.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/iconv_handle.h"

namespace dotforge {
namespace {

// Converts all of `text`; false when a character has no encoding or the text
// is not valid UTF-8.
bool Convert(iconv_t handle, std::string_view text, Bytes& out) {
  std::string input(text);
  char* in = input.data();
  std::size_t inLeft = input.size();
  char buffer[256];
  while (true) {
    char* outPos = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(handle, inLeft > 0 ? &in : nullptr, &inLeft, &outPos, &outLeft);
    out.insert(out.end(), buffer, outPos);
    if (result != static_cast<std::size_t>(-1)) {
      if (inLeft == 0) {
        // Flush any shift state once the input is used up.
        outPos = buffer;
        outLeft = sizeof buffer;
        iconv(handle, nullptr, nullptr, &outPos, &outLeft);
        out.insert(out.end(), buffer, outPos);
        return true;
      }
      continue;
    }
    if (errno != E2BIG) return false;
  }
}

}  // namespace

EncodedText EncodeSampleText(std::string_view text, const std::string& codePage) {
  EncodedText encoded;
  const std::optional<IconvHandle> handle = IconvHandle::Open(codePage, "UTF-8");
  if (!handle) {
    encoded.failure = EncodeFailure::UnknownCodePage;
    return encoded;
  }
  Bytes bytes;
  if (!Convert(handle->Get(), text, bytes)) return encoded;
  std::erase_if(bytes, [](std::uint8_t byte) { return byte < 0x20 && byte != 0x0A; });
  encoded.bytes = std::move(bytes);
  return encoded;
}

}  // namespace dotforge
