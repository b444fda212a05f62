#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

TEST(FileIo, ReadWholeFile) {
  test::TempDir dir;
  Bytes big(200000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 31);
  test::WriteBytes(dir / "big", big);
  EXPECT_EQ(ReadWholeFile(dir / "big"), big);
  test::WriteBytes(dir / "empty", Bytes{});
  EXPECT_EQ(ReadWholeFile(dir / "empty"), Bytes{});
  EXPECT_FALSE(ReadWholeFile(dir / "none").has_value());
  EXPECT_FALSE(ReadWholeFile(dir.Path()).has_value());
}

TEST(FileIo, AtomicWriteReplacesAndKeepsPermissions) {
  test::TempDir dir;
  const auto path = dir / "out";
  ASSERT_EQ(WriteFileAtomically(path, Bytes{1, 2}), WriteStatus::Ok);
  ASSERT_EQ(WriteFileAtomically(path, Bytes{3}), WriteStatus::Ok);
  EXPECT_EQ(test::ReadBytes(path), Bytes{3});
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IRGRP, 0u) << "the usual permissions, not mkstemp's 0600";
  EXPECT_EQ(WriteFileAtomically(dir / "no" / "out", Bytes{1}), WriteStatus::OpenFailed);
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// Folder entries other than the given ones: a temporary file left behind shows.
std::vector<std::string> Leftovers(const std::filesystem::path& folder, const std::vector<std::string>& expected) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(expected.begin(), expected.end(), name) == expected.end()) names.push_back(name);
  }
  return names;
}

// A file nobody may write is refused even for the administrator, whom the system
// would let write it: the tests run as root in CI.
TEST(FileIo, ReadOnlyFileIsRefusedAndLeftAsItWas) {
  test::TempDir dir;
  const auto path = dir / "FONT.DAT";
  test::WriteBytes(path, Bytes{7, 7, 7});
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  EXPECT_EQ(WriteFileAtomically(path, Bytes{1}), WriteStatus::OpenFailed);
  AtomicFileWriter writer;
  EXPECT_EQ(writer.Open(path), WriteStatus::OpenFailed);
  EXPECT_EQ(writer.Commit(Bytes{1}), WriteStatus::OpenFailed) << "nothing to commit after a refused open";

  EXPECT_EQ(test::ReadBytes(path), (Bytes{7, 7, 7}));
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, not a replacement";
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(Leftovers(dir.Path(), {"FONT.DAT"}), std::vector<std::string>{});

  // Made writable again, the same save goes through.
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(WriteFileAtomically(path, Bytes{1}), WriteStatus::Ok);
  EXPECT_EQ(test::ReadBytes(path), Bytes{1});
}

TEST(FileIo, ReplacementKeepsTheOldMode) {
  test::TempDir dir;
  const auto path = dir / "FONT.C";
  test::WriteBytes(path, Bytes{1});
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteFileAtomically(path, Bytes{2}), WriteStatus::Ok);
  EXPECT_EQ(ModeOf(path), 0640u);
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  ASSERT_EQ(WriteFileAtomically(path, Bytes{3}), WriteStatus::Ok);
  EXPECT_EQ(ModeOf(path), 0604u);
  EXPECT_EQ(test::ReadBytes(path), Bytes{3});
}

TEST(FileIo, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "fonts");
  const auto target = dir / "fonts" / "REAL.DSB";
  test::WriteBytes(target, Bytes{1});
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  // A relative link, and a link to that link.
  std::filesystem::create_symlink("fonts/REAL.DSB", dir / "LINK.DSB");
  std::filesystem::create_symlink(dir / "LINK.DSB", dir / "CHAIN.DSB");

  ASSERT_EQ(WriteFileAtomically(dir / "LINK.DSB", Bytes{2, 2}), WriteStatus::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "LINK.DSB"));
  EXPECT_EQ(std::filesystem::read_symlink(dir / "LINK.DSB"), "fonts/REAL.DSB");
  EXPECT_EQ(test::ReadBytes(target), (Bytes{2, 2}));
  EXPECT_EQ(ModeOf(target), 0600u);

  ASSERT_EQ(WriteFileAtomically(dir / "CHAIN.DSB", Bytes{3}), WriteStatus::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "CHAIN.DSB"));
  EXPECT_EQ(test::ReadBytes(target), Bytes{3});
  EXPECT_EQ(Leftovers(dir.Path(), {"fonts", "LINK.DSB", "CHAIN.DSB"}), std::vector<std::string>{});
  EXPECT_EQ(Leftovers(dir / "fonts", {"REAL.DSB"}), std::vector<std::string>{});

  // A link to a read-only file is refused like the file itself.
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  EXPECT_EQ(WriteFileAtomically(dir / "LINK.DSB", Bytes{4}), WriteStatus::OpenFailed);
  EXPECT_EQ(test::ReadBytes(target), Bytes{3});
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "LINK.DSB"));
}

TEST(FileIo, DanglingLinkCreatesItsTargetAndLoopsAreRefused) {
  test::TempDir dir;
  std::filesystem::create_symlink("NEW.DAT", dir / "LINK.DAT");
  ASSERT_EQ(WriteFileAtomically(dir / "LINK.DAT", Bytes{5}), WriteStatus::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "LINK.DAT"));
  EXPECT_EQ(test::ReadBytes(dir / "NEW.DAT"), Bytes{5});

  std::filesystem::create_symlink("B", dir / "A");
  std::filesystem::create_symlink("A", dir / "B");
  EXPECT_EQ(WriteFileAtomically(dir / "A", Bytes{1}), WriteStatus::OpenFailed);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "A"));
}

TEST(FileIo, FolderOrDeviceIsNotReplaced) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "FOLDER.DAT");
  EXPECT_EQ(WriteFileAtomically(dir / "FOLDER.DAT", Bytes{1}), WriteStatus::OpenFailed);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "FOLDER.DAT"));
  ASSERT_EQ(::mkfifo((dir / "PIPE.DAT").c_str(), 0666), 0);
  EXPECT_EQ(WriteFileAtomically(dir / "PIPE.DAT", Bytes{1}), WriteStatus::OpenFailed);
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "PIPE.DAT"));
}

TEST(FileIo, UncommittedWriterLeavesNothingBehind) {
  test::TempDir dir;
  const auto path = dir / "OLD.DAT";
  test::WriteBytes(path, Bytes{9});
  {
    AtomicFileWriter writer;
    ASSERT_EQ(writer.Open(path), WriteStatus::Ok);
    EXPECT_EQ(writer.Target(), path);
  }
  EXPECT_EQ(test::ReadBytes(path), Bytes{9});
  EXPECT_EQ(Leftovers(dir.Path(), {"OLD.DAT"}), std::vector<std::string>{});
}

}  // namespace
}  // namespace dotforge
