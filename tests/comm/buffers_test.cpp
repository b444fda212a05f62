#include <gtest/gtest.h>

#include "comm/comm_context.h"
#include "comm/comm_messages.h"
#include "comm/line_meter.h"
#include "comm/receive_buffer.h"
#include "comm/write_queue.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "platform/trace.h"
#include "usb/fake_usb_backend.h"

namespace dotforge {
namespace {

TEST(ReceiveBuffer, ReadsBackInArrivalOrderAcrossTheWrap) {
  CReceiveBuffer buffer;
  Bytes first(4000, 1);
  buffer.Put(first);
  for (int i = 0; i < 4000; ++i) buffer.GetByte();
  const Bytes second{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33,
                     34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57,
                     58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81,
                     82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104,
                     105, 106, 107, 108, 109};
  buffer.Put(second);  // crosses index 4096
  ASSERT_EQ(buffer.GetCount(), second.size());
  for (const std::uint8_t byte : second) EXPECT_EQ(buffer.GetByte(), byte);
  EXPECT_EQ(buffer.GetCount(), 0u);
  EXPECT_EQ(buffer.GetByte(), 0);  // nothing there: no underflow
}

TEST(ReceiveBuffer, WhenFullTheNewestReplaceTheOldest) {
  CReceiveBuffer buffer;
  Bytes bytes(CReceiveBuffer::kSize + 10);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  buffer.Put(bytes);
  ASSERT_EQ(buffer.GetCount(), CReceiveBuffer::kSize);
  for (std::size_t i = 10; i < bytes.size(); ++i) ASSERT_EQ(buffer.GetByte(), bytes[i]) << i;
}

TEST(WriteQueue, AFullStorageRefusesAPieceWithoutLosingItAndControlRequestsAlwaysFit) {
  CWriteQueue queue;
  for (std::size_t i = 0; i < CWriteQueue::kCapacity; ++i) ASSERT_TRUE(queue.AppendWrite(Bytes(1)));
  // The caller learns that the piece did not fit; nothing is counted as queued.
  EXPECT_FALSE(queue.AppendWrite(Bytes(1)));
  EXPECT_EQ(queue.QueuedPosition(), CWriteQueue::kCapacity);
  EXPECT_EQ(queue.LostPosition(), 0u);
  // The requests that release waiters find a place even in a full queue.
  EXPECT_TRUE(queue.Append({static_cast<std::uint32_t>(WriteKind::TransferComplete), {}}));

  WriteRequest taken;
  ASSERT_TRUE(queue.TakeFront(taken));
  queue.Release();
  ASSERT_TRUE(queue.PushFront({static_cast<std::uint32_t>(WriteKind::Abort), {}}));
  EXPECT_EQ(queue.QueuedKinds().front(), static_cast<std::uint32_t>(WriteKind::Abort));
  queue.DropQueued();
  EXPECT_TRUE(queue.QueuedKinds().empty());
  // Dropped bytes are lost, never silently gone.
  EXPECT_EQ(queue.LostPosition(), CWriteQueue::kCapacity);
  EXPECT_TRUE(queue.AppendWrite(Bytes(1)));
}

TEST(WriteQueue, PositionsFollowHandedDroppedAndRefusedBytes) {
  CWriteQueue queue;
  EXPECT_EQ(queue.AppendWrite(Bytes(100), 1), 100u);
  EXPECT_EQ(queue.AppendWrite(Bytes(50), 2), 150u);
  EXPECT_EQ(queue.AppendWrite(Bytes(30), 1), 180u);
  WriteRequest request;
  ASSERT_TRUE(queue.TakeFront(request));
  queue.Handed(request);
  queue.Release();
  // No line speed and no device queue: handed is as good as left.
  EXPECT_EQ(queue.LeftPosition(), 100u);
  // Owner 1 gives up: only its own piece goes, and it counts as lost.
  queue.DropOwned(1);
  EXPECT_EQ(queue.QueuedLengths(), std::vector<std::size_t>{50});
  EXPECT_EQ(queue.LostPosition(), 180u);
  ASSERT_TRUE(queue.TakeFront(request));
  queue.Refused(request);
  queue.Release();
  EXPECT_TRUE(queue.QueuedLengths().empty());
  // Bytes queued after a loss reach the line normally.
  EXPECT_EQ(queue.AppendWrite(Bytes(20)), 200u);
  ASSERT_TRUE(queue.TakeFront(request));
  queue.Handed(request);
  EXPECT_EQ(queue.LeftPosition(), 200u);
}

TEST(LineMeter, HandedBytesTakeTheirLineTime) {
  using Clock = std::chrono::steady_clock;
  // The bytes that can have left the line since `since`, at 1000 bytes per second.
  const auto carried = [](Clock::time_point since) {
    return static_cast<long>(std::chrono::duration<double>(Clock::now() - since).count() * 1000);
  };
  LineMeter meter;
  meter.SetLine(-1, 1000.0);  // 10,000 baud
  const auto before = Clock::now();
  meter.Handed(500);
  const auto handed = Clock::now();
  // Half a second of line time: the bytes leave as it passes, never faster,
  // however late this thread gets to look.
  const auto backlog = [&] { return static_cast<long>(meter.Backlog()); };
  const long first = backlog();
  EXPECT_GE(first, 500 - carried(before));
  EXPECT_LE(first, 501);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const long surelyCarried = carried(handed);
  const long later = backlog();
  EXPECT_GE(later, 500 - carried(before));
  EXPECT_LE(later, std::max(0L, 501 - surelyCarried));
  EXPECT_DOUBLE_EQ(SerialBytesPerSecond(115200, false), 11520.0);
  EXPECT_DOUBLE_EQ(SerialBytesPerSecond(9600, true), 9600.0 / 11);
}

class ContextTest : public ::testing::Test {
 protected:
  ScriptedPrompt prompt_;
  CCommContext comm_{CommSettings{}, prompt_, CurrentPlatformKind()};
};

TEST_F(ContextTest, SendSplitsIntoPiecesOfAtMost1024Bytes) {
  const Bytes bytes(2500, 0x41);
  EXPECT_EQ(comm_.Send(bytes), 2500u);
  EXPECT_EQ(comm_.WriteQueue().QueuedLengths(), (std::vector<std::size_t>{1024, 1024, 452}));
  EXPECT_EQ(comm_.Send({}), 0u);
  EXPECT_EQ(comm_.WriteQueue().QueuedLengths().size(), 3u);
}

TEST_F(ContextTest, SendSaysHowMuchFitWhenTheQueueIsFull) {
  const Bytes big((CWriteQueue::kCapacity + 10) * 1024, 0x41);
  ClearTrace();
  EXPECT_EQ(comm_.Send(big), CWriteQueue::kCapacity * 1024);
  EXPECT_EQ(TraceEntries(), std::vector<std::string>{trace::kWriterPacketAlloc});
  EXPECT_EQ(comm_.WriteQueue().QueuedPosition(), CWriteQueue::kCapacity * 1024);
}

TEST_F(ContextTest, WaitForDataResults) {
  EXPECT_EQ(comm_.WaitForData(1, 0), kWaitTimedOut);
  comm_.AbortSignal().Set();
  EXPECT_EQ(comm_.WaitForData(1, 0), kWaitTimedOut);  // a zero limit does not look at the abort signal
  EXPECT_EQ(comm_.WaitForData(1, 5), kWaitAborted);
  EXPECT_FALSE(comm_.AbortSignal().Test());  // consumed
  EXPECT_EQ(comm_.WaitForData(1, 5), kWaitTimedOut);
  comm_.ReceiveBuffer().Put(Bytes{1, 2});
  EXPECT_EQ(comm_.WaitForData(2, 5), kWaitReady);
  EXPECT_EQ(comm_.WaitForData(3, 5), kWaitTimedOut);
  Event stop(ResetMode::Manual, true);
  EXPECT_EQ(comm_.WaitForData(3, 5000, {&stop}), kWaitAborted);
}

TEST_F(ContextTest, DataArrivingDuringTheWaitIsSeen) {
  std::thread reader([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    comm_.ReceiveBuffer().Put(Bytes{0x06});
  });
  EXPECT_EQ(comm_.WaitForData(1, 10000), kWaitReady);
  EXPECT_EQ(comm_.GetByte(), 0x06);
  reader.join();
}

TEST_F(ContextTest, WithoutUsbTheInterfaceIsSerial) {
  usb::FakeUsbBackend noUsb(false);
  usb::ScopedBackend installed(noUsb);
  CommSettings usb;
  usb.interfaceType = kInterfaceUsb;
  CCommContext comm(usb, prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.usbAvailable);
  EXPECT_EQ(comm.settings.interfaceType, kInterfaceSerial);
  comm.settings.interfaceType = kInterfaceUsb;
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kInvalidInterface});
  EXPECT_FALSE(comm.CloseInterface());  // nothing was open
}

}  // namespace
}  // namespace dotforge
