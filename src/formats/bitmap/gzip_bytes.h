#pragma once
// gzip-compressed font files (.pcf.gz, .psf.gz, ...) unpacked in memory.

#include <cstddef>
#include <optional>

#include "platform/bytes.h"

namespace dotforge {

// No font file unpacks to more than this; larger output is taken as a broken file.
inline constexpr std::size_t kMaxUnpackedFontBytes = std::size_t{256} << 20;

// True when the bytes start with the gzip signature.
bool IsGzip(ByteView bytes);

enum class GunzipFault { Damaged, TooLarge };

// The unpacked bytes of a gzip stream, or nothing when it is damaged, ends early
// (Damaged) or unpacks beyond kMaxUnpackedFontBytes (TooLarge); `fault`, when
// given, then says which.
std::optional<Bytes> Gunzip(ByteView bytes, GunzipFault* fault = nullptr);

}  // namespace dotforge
