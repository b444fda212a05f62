#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <thread>

#include "platform/event.h"
#include "platform/overlapped_io.h"

namespace dotforge {
namespace {

TEST(Event, AutoResetIsConsumedByTheFirstTest) {
  Event event(ResetMode::Auto);
  EXPECT_FALSE(event.Test());
  event.Set();
  event.Set();  // setting twice still wakes one waiter once
  EXPECT_TRUE(event.Test());
  EXPECT_FALSE(event.Test());
}

TEST(Event, ManualResetStaysSetUntilReset) {
  Event event(ResetMode::Manual);
  event.Set();
  EXPECT_TRUE(event.Test());
  EXPECT_TRUE(event.Wait(0));
  event.Reset();
  EXPECT_FALSE(event.Test());
}

TEST(Event, WaitForAnyReportsTheFirstSetEventAndTimesOut) {
  Event first(ResetMode::Auto), second(ResetMode::Manual);
  EXPECT_EQ(WaitForAny({&first, &second}, 5).kind, WaitOutcome::Kind::TimedOut);
  second.Set();
  first.Set();
  const WaitOutcome outcome = WaitForAny({&first, &second}, 5);
  EXPECT_EQ(outcome.kind, WaitOutcome::Kind::Signaled);
  EXPECT_EQ(outcome.index, 0u);
  EXPECT_FALSE(first.Test());  // consumed by the wait
  EXPECT_EQ(WaitForAny({&first, &second}, 5).index, 1u);
}

TEST(Event, WaitWakesWhenAnotherThreadSets) {
  Event event(ResetMode::Auto);
  std::thread setter([&] { event.Set(); });
  EXPECT_TRUE(event.Wait(10000));
  setter.join();
}

class PipeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(pipe2(fds_.data(), O_NONBLOCK), 0); }
  void TearDown() override {
    for (const int fd : fds_) {
      if (fd >= 0) close(fd);
    }
  }
  std::array<int, 2> fds_{-1, -1};
};

TEST_F(PipeTest, ReadIsPendingUntilBytesArrive) {
  OverlappedIo io;
  std::array<std::uint8_t, 8> buffer{};
  ASSERT_EQ(io.StartRead(fds_[0], buffer), IoStart::Pending);
  ASSERT_EQ(write(fds_[1], "abc", 3), 3);
  ASSERT_EQ(io.WaitForCompletion({}, 10000), IoWait::Completed);
  std::size_t count = 0;
  ASSERT_TRUE(io.GetResult(count));
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(buffer[2], 'c');
}

TEST_F(PipeTest, StopEndsAPendingWait) {
  OverlappedIo io;
  Event stop(ResetMode::Manual, true);
  std::array<std::uint8_t, 8> buffer{};
  ASSERT_EQ(io.StartRead(fds_[0], buffer), IoStart::Pending);
  EXPECT_EQ(io.WaitForCompletion({&stop}), IoWait::Stopped);
  EXPECT_EQ(io.StoppedBy(), 0u);
}

TEST_F(PipeTest, ClosedLineFailsInsteadOfReadingNothingForever) {
  close(fds_[1]);
  fds_[1] = -1;
  OverlappedIo io;
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(io.StartRead(fds_[0], buffer), IoStart::Failed);
  EXPECT_TRUE(IsLineGoneError(io.Error()));
}

TEST_F(PipeTest, WriteLargerThanThePipeCompletesWhileTheOtherSideReads) {
  const Bytes bytes(256 * 1024, 0x5A);
  OverlappedIo io;
  ASSERT_EQ(io.StartWrite(fds_[1], bytes), IoStart::Pending);
  std::size_t drained = 0;
  std::thread reader([&] {
    std::array<std::uint8_t, 4096> buffer{};
    while (drained < bytes.size()) {
      const ssize_t count = read(fds_[0], buffer.data(), buffer.size());
      if (count > 0) drained += static_cast<std::size_t>(count);
      else usleep(100);
    }
  });
  EXPECT_EQ(io.WaitForCompletion({}, 20000), IoWait::Completed);
  reader.join();
  std::size_t written = 0;
  EXPECT_TRUE(io.GetResult(written));
  EXPECT_EQ(written, bytes.size());
}

}  // namespace
}  // namespace dotforge
