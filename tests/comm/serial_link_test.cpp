#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <thread>

#include "comm/comm_context.h"
#include "comm/comm_messages.h"
#include "comm/serial_info.h"
#include "comm/setup_communication.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "support/sim_link.h"

namespace dotforge {
namespace {

using test::FastPrinter;
using test::SimPrinter;

class SerialLinkTest : public ::testing::Test {
 protected:
  CSerialInfo& Serial() { return *dynamic_cast<CSerialInfo*>(comm_.Interface()); }
  // Sends a request and takes the whole reply, byte by byte as a worker would.
  Bytes Exchange(const Bytes& request, std::size_t replyLength) {
    comm_.Send(request);
    Bytes reply;
    while (reply.size() < replyLength && comm_.WaitForData(1, 5000) == kWaitReady) reply.push_back(comm_.GetByte());
    return reply;
  }

  SimPrinter printer_{FastPrinter()};
  ScriptedPrompt prompt_;
  CCommContext comm_{test::SimSettings(printer_), prompt_, CurrentPlatformKind()};
};

TEST_F(SerialLinkTest, BytesFlowBothWays) {
  ASSERT_TRUE(comm_.OpenInterface());
  EXPECT_EQ(Exchange({0x1F, 'w', 0x02}, 8), Bytes({'1', '0', '4', '8', '5', '7', '6', 0}));
  EXPECT_EQ(printer_->Received(), Bytes({0x1F, 'w', 0x02}));
  EXPECT_EQ(Serial().PortNameText(), "COM1");
  // A pseudo-terminal has no modem-control lines; that is no reason to fail.
  EXPECT_FALSE(Serial().HasModemControl());
  EXPECT_TRUE(prompt_.Texts().empty());
}

TEST_F(SerialLinkTest, TheLineIsRawWithTheChosenSettings) {
  comm_.settings.baudRate = 4;
  comm_.settings.parity = kParityOdd;
  ASSERT_TRUE(comm_.OpenInterface());
  const termios line = printer_->LineSettings();
  EXPECT_EQ(cfgetospeed(&line), B9600);
  // A pseudo-terminal always reports 8 bits without parity, but keeps the odd flag.
  EXPECT_TRUE(line.c_cflag & PARODD);
  EXPECT_FALSE(line.c_lflag & (ECHO | ICANON));
  EXPECT_FALSE(line.c_iflag & (IXON | ICRNL));
  // Bytes that a cooked line would change or swallow pass unchanged.
  EXPECT_EQ(Exchange({0x0D, 0x0A, 0x11, 0x13, 0x03, 0x1C, 'F', '0'}, 1), Bytes{0x15});
  EXPECT_EQ(printer_->Received(), Bytes({0x0D, 0x0A, 0x11, 0x13, 0x03, 0x1C, 'F', '0'}));
}

TEST_F(SerialLinkTest, UnchangedSettingsKeepThePortAndAChangeReopensIt) {
  ASSERT_TRUE(comm_.OpenInterface());
  ASSERT_TRUE(comm_.OpenInterface());
  EXPECT_EQ(Serial().OpenCount(), 1);
  comm_.settings.parity = kParityOdd;
  ASSERT_TRUE(comm_.OpenInterface());
  EXPECT_EQ(Serial().OpenCount(), 2);
  EXPECT_TRUE(printer_->LineSettings().c_cflag & PARODD);
  EXPECT_EQ(Exchange({0x1C, 'F', '1'}, 1), Bytes{0x15});
  EXPECT_TRUE(prompt_.Texts().empty());
}

TEST_F(SerialLinkTest, SetupDialogOkReopensAtTheNewRateAtOnce) {
  ASSERT_TRUE(comm_.OpenInterface());
  CommSettings application = comm_.settings;
  SetupCommunicationDialog dialog(application, false);
  dialog.SelectBaudRate(3);
  ASSERT_TRUE(dialog.Ok(application, comm_));
  EXPECT_EQ(Serial().OpenCount(), 2);
  const termios line = printer_->LineSettings();
  EXPECT_EQ(cfgetospeed(&line), B19200);
  EXPECT_EQ(application.baudRate, 3);
}

TEST_F(SerialLinkTest, APortInUseCannotBeOpenedUntilItIsFree) {
  const int holder = open(printer_.Link().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  EXPECT_FALSE(comm_.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{std::string(msg::kErrorGettingComHandle) + ": " +
                                                      printer_.Link().string() + ": " + msg::kSerialDeviceInUse});
  close(holder);
  EXPECT_TRUE(comm_.OpenInterface());
  EXPECT_EQ(Exchange({0x1C, 'F', '4'}, 1), Bytes{0x15});
}

TEST_F(SerialLinkTest, StopThreadsEndsBothThreadsWithinTheLimit) {
  ASSERT_TRUE(comm_.OpenInterface());
  EXPECT_EQ(comm_.StopThreads(3000), 0);
  EXPECT_FALSE(comm_.ReaderRunning());
  EXPECT_TRUE(prompt_.Texts().empty());
  EXPECT_TRUE(comm_.CloseInterface());
  EXPECT_FALSE(comm_.CloseInterface());
}

TEST_F(SerialLinkTest, ALostLineIsReopenedByTheNextOpen) {
  SimPrinter dropping([] {
    sim::SimulatorOptions options = FastPrinter(sim::Misbehaviour::DropLine);
    options.dropAfterBytes = 3;
    return options;
  }());
  ScriptedPrompt prompt;
  CCommContext comm(test::SimSettings(dropping), prompt, CurrentPlatformKind());
  ASSERT_TRUE(comm.OpenInterface());
  comm.Send(Bytes{0x1C, 'F', '0'});
  // The reader sees the hang-up and ends.
  for (int i = 0; i < 5000 && comm.ReaderRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_FALSE(comm.ReaderRunning());
  ASSERT_EQ(dropping->DropCount(), 1);

  ASSERT_TRUE(comm.OpenInterface());
  EXPECT_EQ(dynamic_cast<CSerialInfo*>(comm.Interface())->OpenCount(), 2);
  comm.Send(Bytes{0x1C, 'F', '2'});
  ASSERT_EQ(comm.WaitForData(1, 5000), kWaitReady);
  EXPECT_EQ(comm.GetByte(), 0x15);
  EXPECT_TRUE(prompt.Texts().empty());
}

}  // namespace
}  // namespace dotforge
