#pragma once
// Whole-file reads and atomic whole-file writes.

#include <filesystem>
#include <optional>

#include "platform/bytes.h"

namespace dotforge {

std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path);

enum class WriteStatus { Ok, OpenFailed, WriteFailed };

// Writes to a temporary file beside `path`, flushes it to disk and renames it over
// the target only when everything was written: a failure leaves the old file as it was.
WriteStatus WriteFileAtomically(const std::filesystem::path& path, ByteView bytes);

}  // namespace dotforge
