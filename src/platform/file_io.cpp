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

// An existing target may be replaced when it is a regular file the user may
// write; a file without any write bit counts as read-only for everyone.
bool MayReplace(const std::filesystem::path& target, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return false;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(target.c_str(), W_OK) == 0;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path) {
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;

  Bytes bytes;
  if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
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
  const std::optional<std::filesystem::path> target = ResolveLinks(path);
  if (!target) return WriteStatus::OpenFailed;
  target_ = *target;

  struct stat old {};
  const bool exists = ::stat(target_.c_str(), &old) == 0;
  if (exists && !MayReplace(target_, old)) return WriteStatus::OpenFailed;

  std::string temporary = target_.string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return WriteStatus::OpenFailed;
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
  const bool written = WriteAll(fd_, bytes) && ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!written || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
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
