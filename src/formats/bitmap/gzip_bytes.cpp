#include "formats/bitmap/gzip_bytes.h"

#include <zlib.h>

#include <array>
#include <limits>

namespace dotforge {
namespace {

constexpr int kGzipWindowBits = 15 + 16;  // zlib's window size plus gzip framing

struct InflateStream {
  z_stream stream{};
  bool open = false;
  ~InflateStream() {
    if (open) inflateEnd(&stream);
  }
};

}  // namespace

bool IsGzip(ByteView bytes) { return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B; }

std::optional<Bytes> Gunzip(ByteView bytes, GunzipFault* fault) {
  if (fault) *fault = GunzipFault::Damaged;
  if (bytes.size() > std::numeric_limits<uInt>::max()) return std::nullopt;
  InflateStream inflater;
  if (inflateInit2(&inflater.stream, kGzipWindowBits) != Z_OK) return std::nullopt;
  inflater.open = true;
  inflater.stream.next_in = const_cast<Bytef*>(bytes.data());
  inflater.stream.avail_in = static_cast<uInt>(bytes.size());

  Bytes out;
  std::array<std::uint8_t, 64 * 1024> chunk{};
  for (;;) {
    inflater.stream.next_out = chunk.data();
    inflater.stream.avail_out = static_cast<uInt>(chunk.size());
    const int status = inflate(&inflater.stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) return std::nullopt;
    const std::size_t produced = chunk.size() - inflater.stream.avail_out;
    if (out.size() + produced > kMaxUnpackedFontBytes) {
      if (fault) *fault = GunzipFault::TooLarge;
      return std::nullopt;
    }
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(produced));
    if (status == Z_STREAM_END) return out;
    // No progress with input left over means the stream ends early.
    if (produced == 0 && inflater.stream.avail_in == 0) return std::nullopt;
  }
}

}  // namespace dotforge
