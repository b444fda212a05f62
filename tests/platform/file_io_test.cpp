#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace
}  // namespace dotforge
