#pragma once
// Whole-file reads and atomic whole-file writes.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/bytes.h"

namespace dotforge {

// The file's bytes; nothing when it cannot be read, with the system's reason (an
// errno value) in `reason` when one is given.
std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path, int* reason = nullptr);
// The system's reason why the file cannot be opened for reading (a folder counts
// as EISDIR), 0 when it can.
int ReadOpenError(const std::filesystem::path& path);

enum class WriteStatus { Ok, OpenFailed, WriteFailed };

// Replaces a file as a whole: Open creates a temporary file beside the target,
// Commit writes it, flushes it to disk and renames it over the target only when
// everything was written, so a failure leaves the old file as it was.
//
// The target is what the path finally names: a symbolic link is followed and
// the file it points to is replaced, the link stays. An existing target must be
// a regular file that the user may write: the write permission is asked of the
// system (access W_OK) and, because the system grants it to an administrator
// whatever the mode, a file that has no write bit at all is refused as well.
// The new file keeps the old file's mode and, where the system allows, its owner.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  // Removes a temporary file that was not committed.
  ~AtomicFileWriter();

  WriteStatus Open(const std::filesystem::path& path);
  // Only after a successful Open, once.
  WriteStatus Commit(ByteView bytes);

  // The file that Commit replaces (the path with its links resolved).
  const std::filesystem::path& Target() const { return target_; }
  // The system's reason (an errno value) for the last failure of Open or Commit;
  // 0 when the system gave none (a target that is no regular file).
  int Error() const { return error_; }

 private:
  void Discard();

  std::filesystem::path target_;
  std::string temporary_;
  int fd_ = -1;
  int error_ = 0;
};

// Open and Commit in one step.
WriteStatus WriteFileAtomically(const std::filesystem::path& path, ByteView bytes);

}  // namespace dotforge
