#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "escpos/send/escpos_sender.h"
#include "escpos/local_listener.h"
#include "escpos/send/network_output.h"

namespace dotforge {
namespace {

using Clock = std::chrono::steady_clock;
using test::ListenerMode;
using test::LocalListener;

Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return bytes;
}

EscPosTarget Network(const std::string& host, std::uint16_t port) {
  EscPosTarget target;
  target.kind = EscPosLinkKind::Network;
  target.host = host;
  target.port = port;
  return target;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(EscPosNetwork, EveryByteArrivesThenTheSenderShutsDownAndProgressReachesTheEnd) {
  for (const char* host : {"127.0.0.1", "localhost"}) {
    LocalListener printer(ListenerMode::Read);
    printer.Serve();
    const Bytes stream = Pattern(300000);
    Event cancel(ResetMode::Manual);
    std::vector<std::size_t> progress;
    const EscPosSendResult result = SendEscPos(Network(host, printer.Port()), stream, cancel,
                                               [&](std::size_t sent, std::size_t total) {
                                                 EXPECT_EQ(total, stream.size());
                                                 progress.push_back(sent);
                                               });
    EXPECT_EQ(result.status, EscPosSendResult::Status::Sent) << result.message;
    EXPECT_TRUE(result.message.empty());
    // The listener ends at the sender's shutdown, so this holds every byte.
    EXPECT_EQ(printer.Received(), stream);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), stream.size());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  }
}

TEST(EscPosNetwork, RefusedConnectionNamesTheHost) {
  const std::uint16_t port = test::ClosedPort();
  Event cancel(ResetMode::Manual);
  const EscPosSendResult result = SendEscPos(Network("127.0.0.1", port), Pattern(10), cancel);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message, "The printer at 127.0.0.1:" + std::to_string(port) + " refused the connection.");
}

TEST(EscPosNetwork, UnansweredConnectTimesOutAndACancelEndsTheWaitAtOnce) {
  test::FullListener printer;
  if (!printer.Full()) GTEST_SKIP() << "this system answers connects beyond the accept queue";
  Event cancel(ResetMode::Manual);
  EscPosLimits limits;
  limits.connectMs = 300;
  auto start = Clock::now();
  EscPosSendResult result = SendEscPos(Network("127.0.0.1", printer.Port()), Pattern(10), cancel, {}, limits);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message, "The printer at 127.0.0.1:" + std::to_string(printer.Port()) +
                                " did not answer within 0.3 s.");
  EXPECT_GE(SecondsSince(start), 0.25);

  // The default limit of 3 s, cancelled after a tenth of a second.
  start = Clock::now();
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel.Set();
  });
  result = SendEscPos(Network("127.0.0.1", printer.Port()), Pattern(10), cancel);
  canceller.join();
  EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled);
  EXPECT_EQ(result.message, "Sending to the printer was cancelled.");
  EXPECT_LT(SecondsSince(start), 2.0);
}

TEST(EscPosNetwork, PrinterThatStopsReadingStallsOrIsCancelledThenTheNextSendGoesThrough) {
  const Bytes stream = Pattern(8 * 1024 * 1024);
  {
    LocalListener stalled(ListenerMode::NeverRead);
    stalled.Serve();
    Event cancel(ResetMode::Manual);
    EscPosLimits limits;
    limits.stallMs = 300;
    const EscPosSendResult result = SendEscPos(Network("127.0.0.1", stalled.Port()), stream, cancel, {}, limits);
    EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
    EXPECT_EQ(result.message, "The printer at 127.0.0.1:" + std::to_string(stalled.Port()) +
                                  " stopped taking data.");
  }
  {
    LocalListener stalled(ListenerMode::NeverRead);
    stalled.Serve();
    Event cancel(ResetMode::Manual);
    std::thread canceller([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      cancel.Set();
    });
    const auto start = Clock::now();
    const EscPosSendResult result = SendEscPos(Network("127.0.0.1", stalled.Port()), stream, cancel);
    canceller.join();
    EXPECT_EQ(result.status, EscPosSendResult::Status::Cancelled);
    EXPECT_LT(SecondsSince(start), 2.0);
  }
  LocalListener printer(ListenerMode::Read);
  printer.Serve();
  Event cancel(ResetMode::Manual);
  EXPECT_EQ(SendEscPos(Network("127.0.0.1", printer.Port()), Pattern(5000), cancel).status,
            EscPosSendResult::Status::Sent);
  EXPECT_EQ(printer.Received(), Pattern(5000));
}

TEST(EscPosNetwork, PrinterThatClosesMidStreamIsALostConnectionNotASuccess) {
  LocalListener printer(ListenerMode::CloseAfterFirst);
  printer.Serve();
  Event cancel(ResetMode::Manual);
  const EscPosSendResult result = SendEscPos(Network("127.0.0.1", printer.Port()), Pattern(4 * 1024 * 1024), cancel);
  EXPECT_EQ(result.status, EscPosSendResult::Status::Failed);
  EXPECT_EQ(result.message.rfind("The connection to the printer at 127.0.0.1:" + std::to_string(printer.Port()) +
                                     " was lost: ",
                                 0),
            0u)
      << result.message;
}

TEST(EscPosNetwork, ACancelSetBeforeTheSendSendsNothing) {
  LocalListener printer(ListenerMode::Read);
  Event cancel(ResetMode::Manual, true);
  EXPECT_EQ(SendEscPos(Network("127.0.0.1", printer.Port()), Pattern(10), cancel).status,
            EscPosSendResult::Status::Cancelled);
}

TEST(EscPosNetwork, ConnectFailuresAreToldApartAndNameTheHost) {
  EXPECT_EQ(ConnectFailureMessage("printer.local:9100", ECONNREFUSED),
            "The printer at printer.local:9100 refused the connection.");
  for (const int error : {EHOSTUNREACH, ENETUNREACH}) {
    EXPECT_EQ(ConnectFailureMessage("10.0.0.9:9100", error), "The printer at 10.0.0.9:9100 cannot be reached.");
  }
  EXPECT_EQ(HostLabel(Network("fe80::1", 9100)), "[fe80::1]:9100");
  EXPECT_EQ(HostLabel(Network("shop-printer", 9101)), "shop-printer:9101");
}

}  // namespace
}  // namespace dotforge
