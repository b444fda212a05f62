#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/unique_fd.h"

namespace dotforge {
namespace {

// The number of links followed before a path counts as a loop, as the system's.
constexpr int kMaxLinkHops = 40;

bool WriteAll(int fd, ByteView bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Follows symbolic links until the path names something else (or nothing yet:
// a dangling link names the file it would create). Nothing for a loop.
std::optional<std::filesystem::path> ResolveLinks(std::filesystem::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

// Why an existing target may not be replaced (an errno value, 0 for a file that is
// no regular file), nothing when it may: it must be a regular file the user may
// write, and a file without any write bit counts as read-only for everyone.
std::optional<int> ReplaceRefusal(const std::filesystem::path& target, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return 0;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (::access(target.c_str(), W_OK) != 0) return errno;
  return std::nullopt;
}

// The file opened for reading; an invalid descriptor with the reason in `reason`
// when it cannot be opened or is a folder. `info` describes the opened file.
UniqueFd OpenForReading(const std::filesystem::path& path, struct stat& info, int& reason) {
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.Valid()) {
    reason = errno;
    return file;
  }
  if (::fstat(file.Get(), &info) != 0) {
    reason = errno;
    return UniqueFd();
  }
  if (S_ISDIR(info.st_mode)) {
    reason = EISDIR;
    return UniqueFd();
  }
  return file;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path, int* reason) {
  int error = 0;
  struct stat info {};
  const UniqueFd file = OpenForReading(path, info, error);
  if (!file.Valid()) {
    if (reason) *reason = error;
    return std::nullopt;
  }

  Bytes bytes;
  if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      if (reason) *reason = errno;
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

int ReadOpenError(const std::filesystem::path& path) {
  int reason = 0;
  struct stat info {};
  OpenForReading(path, info, reason);
  return reason;
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

WriteStatus AtomicFileWriter::Open(const std::filesystem::path& path) {
  Discard();
  error_ = 0;
  const std::optional<std::filesystem::path> target = ResolveLinks(path);
  if (!target) {
    error_ = ELOOP;
    return WriteStatus::OpenFailed;
  }
  target_ = *target;

  struct stat old {};
  const bool exists = ::stat(target_.c_str(), &old) == 0;
  if (exists) {
    if (const std::optional<int> refusal = ReplaceRefusal(target_, old)) {
      error_ = *refusal;
      return WriteStatus::OpenFailed;
    }
  }

  std::string temporary = target_.string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error_ = errno;
    return WriteStatus::OpenFailed;
  }
  fd_ = fd;
  temporary_ = std::move(temporary);

  // mkstemp creates the file for its owner only: a replacement takes the old
  // file's owner (when the system lets us) and mode, a new file the usual mode.
  if (exists) {
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
      // Not allowed for another user's file: the file stays ours, with the old mode.
    }
    ::fchmod(fd_, old.st_mode & 07777);
  } else {
    ::fchmod(fd_, NewFileMode());
  }
  return WriteStatus::Ok;
}

WriteStatus AtomicFileWriter::Commit(ByteView bytes) {
  if (fd_ < 0) return WriteStatus::OpenFailed;
  error_ = 0;
  bool done = WriteAll(fd_, bytes) && ::fsync(fd_) == 0;
  if (!done) error_ = errno;
  if (::close(fd_) != 0 && done) {
    done = false;
    error_ = errno;
  }
  fd_ = -1;
  if (done && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    done = false;
    error_ = errno;
  }
  if (!done) {
    Discard();
    return WriteStatus::WriteFailed;
  }
  temporary_.clear();
  return WriteStatus::Ok;
}

WriteStatus WriteFileAtomically(const std::filesystem::path& path, ByteView bytes) {
  AtomicFileWriter writer;
  const WriteStatus opened = writer.Open(path);
  return opened == WriteStatus::Ok ? writer.Commit(bytes) : opened;
}

}  // namespace dotforge
