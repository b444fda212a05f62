#include <gtest/gtest.h>
#include <libusb.h>

#include <algorithm>
#include <thread>

#include "comm/comm_context.h"
#include "comm/comm_messages.h"
#include "comm/usb_endpoints.h"
#include "comm/usb_info.h"
#include "framework/scripted_prompt.h"
#include "platform/platform_kind.h"
#include "platform/trace.h"
#include "support/usb_bus.h"
#include "usb/libusb_backend.h"
#include "usb/usb_printers.h"
#include "usb/usb_requests.h"
#include "usb/usb_status.h"

namespace dotforge {
namespace {

using test::UsbBus;
using usb::ConfigurationDescriptor;
using usb::EndpointDescriptor;
using usb::InterfaceDescriptor;

constexpr std::uint8_t kBulk = LIBUSB_TRANSFER_TYPE_BULK;
constexpr std::uint8_t kInterrupt = LIBUSB_TRANSFER_TYPE_INTERRUPT;

// Answers nothing and keeps what it was sent, transfer by transfer.
class Recorder : public usb::FakeUsbFunction {
 public:
  void Received(ByteView bytes, Bytes&) override { transfers.emplace_back(bytes.begin(), bytes.end()); }
  std::vector<Bytes> transfers;
};

bool TraceHas(const std::string& text) {
  const std::vector<std::string> entries = TraceEntries();
  return std::find(entries.begin(), entries.end(), text) != entries.end();
}

TEST(UsbStatus, TextsForTheTrace) {
  EXPECT_EQ(usb::FormatStatus(0xE000101C), "Error code 0xE000101C: API Version does not match.");
  EXPECT_EQ(usb::FormatStatus(0), "Error code 0x00000000: No error.");
  EXPECT_EQ(usb::FormatStatus(0xE0000400), "Error code 0xE0000400: USBD Error: Error: BUSY.");
  EXPECT_EQ(usb::FormatStatus(0xE0001105), "Error code 0xE0001105: An invalid parameter was passed.");
  // Not in the table, between two that are.
  EXPECT_EQ(usb::FormatStatus(0xE000000E), "Error code 0xE000000E: Windows system error code.");
  EXPECT_EQ(usb::StatusFromLibusb(LIBUSB_ERROR_NO_DEVICE), usb::kStatusDeviceRemoved);
  EXPECT_EQ(usb::StatusFromLibusb(LIBUSB_ERROR_TIMEOUT), usb::kStatusTimeout);
}

TEST(UsbRequests, RecordLayouts) {
  usb::SetConfigurationRequest configuration;
  configuration.interfaceCount = 1;
  configuration.interfaces[0] = {0, 0, 16384};
  const Bytes record = usb::EncodeSetConfiguration(configuration);
  ASSERT_EQ(record.size(), usb::kSetConfigurationSize);
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 12), Bytes({0, 0, 1, 0, 0, 0, 0, 0, 0x00, 0x40, 0, 0}));
  EXPECT_TRUE(std::all_of(record.begin() + 12, record.end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(usb::DecodeSetConfiguration(record).interfaces[0].maximumTransfer, 16384u);

  EXPECT_EQ(usb::EncodeDescriptorRequest({}), Bytes({0, 0, 0, 0, 2, 0, 0, 0}));
  const Bytes info = usb::EncodeDriverInfo({0x0141, 0x0102, 0x01020304, 5});
  EXPECT_EQ(info, Bytes({0x41, 0x01, 0x02, 0x01, 0x04, 0x03, 0x02, 0x01, 5, 0, 0, 0}));
  EXPECT_EQ(usb::DecodeDriverInfo(info).build, 0x01020304u);
}

TEST(BulkEndpointWalk, ChoosesBulkEndpointsByDirection) {
  BulkEndpoints found;
  const Bytes printer = usb::PrinterConfiguration();
  ASSERT_EQ(FindBulkEndpoints(printer, found), EndpointWalk::Found);
  EXPECT_EQ(found.out, 0x01);
  EXPECT_EQ(found.in, 0x82);

  const Bytes withInterrupt = ConfigurationDescriptor(
      {InterfaceDescriptor(0, 3, 7), EndpointDescriptor(0x83, kInterrupt), EndpointDescriptor(0x01, kBulk),
       EndpointDescriptor(0x82, kBulk), EndpointDescriptor(0x04, kInterrupt)});
  ASSERT_EQ(FindBulkEndpoints(withInterrupt, found), EndpointWalk::Found);
  EXPECT_EQ(found.out, 0x01);
  EXPECT_EQ(found.in, 0x82);

  // A later bulk endpoint of one direction replaces an earlier one; class
  // descriptors (0x21, 0x24, 0x25) and strings are passed over.
  const Bytes twoOuts = ConfigurationDescriptor({InterfaceDescriptor(0, 3, 0xFF), Bytes{5, 0x24, 0, 0, 0},
                                                 EndpointDescriptor(0x01, kBulk), Bytes{4, 0x25, 1, 0},
                                                 EndpointDescriptor(0x81, kBulk), EndpointDescriptor(0x03, kBulk),
                                                 Bytes{4, 0x03, 'A', 0}, Bytes{3, 0x21, 0}});
  ASSERT_EQ(FindBulkEndpoints(twoOuts, found), EndpointWalk::Found);
  EXPECT_EQ(found.out, 0x03);
  EXPECT_EQ(found.in, 0x81);
}

TEST(BulkEndpointWalk, FailuresAndWhereTheWalkStops) {
  BulkEndpoints found;
  EXPECT_EQ(FindBulkEndpoints({}, found), EndpointWalk::ZeroLength);

  const Bytes otherType = ConfigurationDescriptor(
      {InterfaceDescriptor(0, 2, 7), Bytes{5, 0x0B, 0, 0, 0}, EndpointDescriptor(0x01, kBulk),
       EndpointDescriptor(0x82, kBulk)});
  EXPECT_EQ(FindBulkEndpoints(otherType, found), EndpointWalk::UnknownDescriptor);
  for (const std::uint8_t type : {0x00, 0x06, 0x20, 0x22, 0x23, 0x26, 0xFF}) {
    const Bytes set = ConfigurationDescriptor({Bytes{2, type}, EndpointDescriptor(0x01, kBulk)});
    EXPECT_EQ(FindBulkEndpoints(set, found), EndpointWalk::UnknownDescriptor) << int(type);
  }

  const Bytes onlyOut = ConfigurationDescriptor({InterfaceDescriptor(0, 1, 7), EndpointDescriptor(0x01, kBulk)});
  EXPECT_EQ(FindBulkEndpoints(onlyOut, found), EndpointWalk::NotFound);
  EXPECT_EQ(found.out, 0x01);
  EXPECT_EQ(found.in, 0);

  // A zero length ends the walk before the IN endpoint.
  Bytes zeroLength = ConfigurationDescriptor({EndpointDescriptor(0x01, kBulk), Bytes{0, 5, 0x82, 2}});
  EXPECT_EQ(FindBulkEndpoints(zeroLength, found), EndpointWalk::NotFound);
  // So does a length beyond the end: the endpoint it claims is not read.
  Bytes cut = ConfigurationDescriptor({EndpointDescriptor(0x01, kBulk)});
  cut.insert(cut.end(), {7, 5, 0x82, 2});
  EXPECT_EQ(FindBulkEndpoints(cut, found), EndpointWalk::NotFound);
  // An endpoint descriptor too short to hold its attributes is no endpoint.
  const Bytes shortEndpoint = ConfigurationDescriptor({EndpointDescriptor(0x01, kBulk), Bytes{3, 5, 0x82}});
  EXPECT_EQ(FindBulkEndpoints(shortEndpoint, found), EndpointWalk::NotFound);
}

class UsbIoDeviceTest : public ::testing::Test {
 protected:
  UsbBus bus_;
  usb::DeviceList list_ = usb::PrinterDevices(bus_.backend, {});
};

TEST_F(UsbIoDeviceTest, RequestsOnTheBackend) {
  usb::UsbIoDevice device(bus_.backend);
  EXPECT_EQ(device.Request(usb::kRequestGetConfiguration, nullptr, 0, nullptr, 0), usb::kStatusDeviceNotOpen);
  EXPECT_EQ(device.Open(1, list_), usb::kStatusNoSuchInstance);
  ASSERT_EQ(device.Open(0, list_), usb::kStatusSuccess);
  EXPECT_EQ(device.Open(0, list_), usb::kStatusSuccess);  // already open
  EXPECT_EQ(bus_.backend.OpenCount(bus_.device), 1);

  std::uint8_t info[12];
  std::uint32_t count = 0;
  ASSERT_EQ(device.Request(usb::kRequestDriverInfo, nullptr, 0, info, sizeof info, &count), 0u);
  EXPECT_EQ(count, 12u);
  EXPECT_EQ(usb::DecodeDriverInfo(ByteView(info, 12)).interfaceVersion, 0x0141);
  EXPECT_EQ(device.Request(usb::kRequestDriverInfo, nullptr, 0, info, 11), usb::kStatusOutputBufferTooSmall);

  const Bytes request = usb::EncodeDescriptorRequest({});
  std::uint8_t set[2047];
  ASSERT_EQ(device.Request(usb::kRequestGetDescriptor, request.data(), 8, set, sizeof set, &count), 0u);
  EXPECT_EQ(Bytes(set, set + count), usb::PrinterConfiguration());
  EXPECT_EQ(device.Request(usb::kRequestGetDescriptor, request.data(), 7, set, sizeof set), usb::kStatusInputBufferTooSmall);

  usb::SetConfigurationRequest two;
  two.interfaceCount = 2;
  Bytes record = usb::EncodeSetConfiguration(two);
  EXPECT_EQ(device.Request(usb::kRequestSetConfiguration, record.data(), 260, nullptr, 0),
            usb::kStatusSetConfigurationFailed);
  usb::SetConfigurationRequest one;
  one.interfaceCount = 1;
  one.interfaces[0] = {0, 0, 16384};
  record = usb::EncodeSetConfiguration(one);
  EXPECT_EQ(device.Request(usb::kRequestSetConfiguration, record.data(), 260, nullptr, 0), 0u);
  EXPECT_EQ(bus_.backend.Claimed(bus_.device), std::vector<int>{0});
  EXPECT_EQ(device.Request(0x80942000, nullptr, 0, nullptr, 0), usb::kStatusInvalidIoctl);

  bus_.backend.Unplug(bus_.device);
  std::uint8_t configuration = 0;
  EXPECT_EQ(device.Request(usb::kRequestGetConfiguration, nullptr, 0, &configuration, 1), usb::kStatusDeviceRemoved);
  device.Close();
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(UsbIoDeviceTest, InterfaceVersionMismatchClosesTheDevice) {
  bus_.backend.SetInterfaceVersion(0x0140);
  usb::UsbIoDevice device(bus_.backend);
  EXPECT_EQ(device.Open(0, list_), usb::kStatusVersionMismatch);
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(UsbIoDeviceTest, PipesShareTheDeviceAndTransfer) {
  usb::UsbIoPipe out(bus_.backend);
  usb::UsbIoPipe in(bus_.backend);
  ASSERT_EQ(out.OpenAndBind(0, list_, 0x01), 0u);
  ASSERT_EQ(in.OpenAndBind(0, list_, 0x82), 0u);
  EXPECT_EQ(bus_.backend.OpenCount(bus_.device), 1);
  EXPECT_EQ(out.Request(usb::kRequestBindPipe, "\x01", 1, nullptr, 0), usb::kStatusPipeAlreadyBound);

  // The free-memory query (US 'w' 2) is answered with its digits and a NUL.
  OverlappedIo writer, reader;
  writer.BindPipe(out.Pipe());
  reader.BindPipe(in.Pipe());
  std::uint8_t buffer[512];
  ASSERT_EQ(reader.StartRead(-1, buffer), IoStart::Pending);
  const Bytes query{0x1F, 'w', 0x02};
  ASSERT_EQ(writer.StartWrite(-1, query), IoStart::Pending);
  ASSERT_EQ(writer.WaitForCompletion({}, 5000), IoWait::Completed);
  std::size_t moved = 0;
  EXPECT_TRUE(writer.GetResult(moved));
  EXPECT_EQ(moved, 3u);
  ASSERT_EQ(reader.WaitForCompletion({}, 5000), IoWait::Completed);
  ASSERT_TRUE(reader.GetResult(moved));
  EXPECT_EQ(std::string(buffer, buffer + moved), std::string("1048576", 8));

  // A read left running ends as cancelled when its pipe closes.
  ASSERT_EQ(reader.StartRead(-1, buffer), IoStart::Pending);
  Event stop(ResetMode::Manual, true);
  EXPECT_EQ(reader.WaitForCompletion({&stop}), IoWait::Stopped);
  reader.BindPipe(nullptr);
  in.Close();
}

TEST(UsbPrinterList, NamesAndWhichDevicesArePrinters) {
  usb::FakeUsbBackend backend;
  auto recorder = std::make_shared<Recorder>();
  usb::FakeDeviceSpec named;
  named.configuration = usb::PrinterConfiguration();
  named.manufacturer = "ACME";
  named.product = "TP-80";
  named.bus = 3;
  named.ports = {1, 4};
  backend.Plug(named, recorder);
  usb::FakeDeviceSpec vendorClass;
  vendorClass.printerInterface = false;
  vendorClass.vendorId = 0x04B8;
  vendorClass.productId = 0x0E15;
  backend.Plug(vendorClass, recorder);

  std::vector<usb::UsbPrinterListing> listing = usb::ListUsbPrinters(backend, {});
  ASSERT_EQ(listing.size(), 1u);
  EXPECT_EQ(listing[0].display, "ACME TP-80 (bus 3, port 1.4)");
  EXPECT_EQ(usb::PortPath(listing[0].entry), "3-1.4");

  const auto ids = usb::ParseUsbIds("04b8:0E15, 0dd4:0186");
  ASSERT_TRUE(ids);
  EXPECT_EQ(usb::FormatUsbIds(*ids), "04B8:0E15 0DD4:0186");
  listing = usb::ListUsbPrinters(backend, *ids);
  ASSERT_EQ(listing.size(), 2u);
  EXPECT_EQ(listing[1].display, "USB device 04B8:0E15 (bus 1, port 2)");
  for (const char* bad : {"04b8", "04b8:", "xyz:0001", "12345:0001", "04b8:0202;"}) {
    EXPECT_FALSE(usb::ParseUsbIds(bad)) << bad;
  }
}

class UsbTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearTrace();
    CUsbInfo::SetFirstReuse(true);
  }
  CUsbInfo* Usb(CCommContext& comm) { return dynamic_cast<CUsbInfo*>(comm.Interface()); }

  ScriptedPrompt prompt_;
};

TEST_F(UsbTransportTest, OpensThePrinterWithItsBulkEndpoints) {
  UsbBus bus;
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  ASSERT_TRUE(comm.usbAvailable);
  ASSERT_TRUE(comm.OpenInterface());
  CUsbInfo* usb = Usb(comm);
  ASSERT_NE(usb, nullptr);
  EXPECT_EQ(usb->Endpoints().out, 0x01);
  EXPECT_EQ(usb->Endpoints().in, 0x82);
  EXPECT_EQ(usb->largestWrite, 16384u);
  EXPECT_EQ(bus.backend.Claimed(bus.device), std::vector<int>{0});
  EXPECT_TRUE(comm.ReaderRunning());
  EXPECT_TRUE(prompt_.Texts().empty());
  EXPECT_TRUE(comm.CloseInterface());
  EXPECT_FALSE(comm.ReaderRunning());
}

TEST_F(UsbTransportTest, WritesGoOutInPiecesOf16384Bytes) {
  usb::FakeUsbBackend backend;
  usb::ScopedBackend installed(backend);
  auto recorder = std::make_shared<Recorder>();
  usb::FakeDeviceSpec spec;
  spec.configuration = usb::PrinterConfiguration();
  const std::size_t device = backend.Plug(spec, recorder);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  ASSERT_TRUE(comm.OpenInterface());
  Bytes bytes(40000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  EXPECT_EQ(comm.Send(bytes), 40000u);
  for (int i = 0; i < 5000 && backend.OutTransfers(device) < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  comm.CloseInterface();
  ASSERT_EQ(recorder->transfers.size(), 3u);
  EXPECT_EQ(recorder->transfers[0].size(), 16384u);
  EXPECT_EQ(recorder->transfers[1].size(), 16384u);
  EXPECT_EQ(recorder->transfers[2].size(), 7232u);
  Bytes joined;
  for (const Bytes& piece : recorder->transfers) joined.insert(joined.end(), piece.begin(), piece.end());
  EXPECT_EQ(joined, bytes);
}

TEST_F(UsbTransportTest, ADescriptorOfAnUnknownTypeRefusesTheDevice) {
  usb::FakeDeviceSpec spec = sim::UsbPrinterSpec();
  spec.configuration = ConfigurationDescriptor({InterfaceDescriptor(0, 2, 7), Bytes{5, 0x0B, 0, 0, 0},
                                               EndpointDescriptor(0x01, kBulk), EndpointDescriptor(0x82, kBulk)});
  UsbBus bus(spec);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(),
            (std::vector<std::string>{msg::kUnknownDescriptor, msg::kBulkEndpointsNotFound, msg::kUsbDeviceNotFound}));
  EXPECT_FALSE(comm.Interface()->running);
  EXPECT_FALSE(comm.ReaderRunning());
  EXPECT_TRUE(bus.backend.Claimed(bus.device).empty());
}

TEST_F(UsbTransportTest, AnEmptyDescriptorSetOrOneWithoutBulkEndpoints) {
  usb::FakeDeviceSpec empty = sim::UsbPrinterSpec();
  empty.configuration.clear();
  {
    UsbBus bus(empty);
    CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
    EXPECT_FALSE(comm.OpenInterface());
    EXPECT_EQ(prompt_.Texts(),
              (std::vector<std::string>{msg::kZeroPacket, msg::kBulkEndpointsNotFound, msg::kUsbDeviceNotFound}));
  }
  prompt_.Clear();
  usb::FakeDeviceSpec interruptOnly = sim::UsbPrinterSpec();
  interruptOnly.configuration = ConfigurationDescriptor(
      {InterfaceDescriptor(0, 2, 7), EndpointDescriptor(0x01, kInterrupt), EndpointDescriptor(0x82, kInterrupt)});
  UsbBus bus(interruptOnly);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), (std::vector<std::string>{msg::kBulkEndpointsNotFound, msg::kUsbDeviceNotFound}));
}

TEST_F(UsbTransportTest, AnotherInterfaceVersionIsTracedAndTheDeviceIsNotFound) {
  UsbBus bus;
  bus.backend.SetInterfaceVersion(0x0200);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kUsbDeviceNotFound});
  EXPECT_TRUE(TraceHas("Error code 0xE000101C: API Version does not match."));
}

TEST_F(UsbTransportTest, NoPrinterPresent) {
  usb::FakeUsbBackend backend;
  usb::ScopedBackend installed(backend);
  // A device of another class is not a printer.
  usb::FakeDeviceSpec keyboard;
  keyboard.printerInterface = false;
  keyboard.vendorId = 0x046D;
  keyboard.productId = 0xC31C;
  backend.Plug(keyboard, std::make_shared<Recorder>());
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kUsbDeviceNotFound});
  // A printer with a vendor-specific interface is used once its ids are listed.
  usb::FakeDeviceSpec vendorClass;
  vendorClass.printerInterface = false;
  vendorClass.vendorId = 0x04B8;
  vendorClass.productId = 0x0E15;
  vendorClass.configuration = usb::PrinterConfiguration();
  const std::size_t listed = backend.Plug(vendorClass, std::make_shared<Recorder>());
  prompt_.Clear();
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kUsbDeviceNotFound});
  comm.settings.usbPrinterIds = {usb::MakeUsbId(0x04B8, 0x0E15)};
  EXPECT_TRUE(comm.OpenInterface());
  EXPECT_EQ(Usb(comm)->Device()->address, backend.Devices()[listed].address);
}

TEST_F(UsbTransportTest, NoPermissionSaysHowToGetIt) {
  usb::FakeDeviceSpec spec = sim::UsbPrinterSpec();
  spec.accessDenied = true;
  UsbBus bus(spec);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.OpenInterface());
  const std::vector<std::string> texts = prompt_.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("No permission to use the USB printer Dotforge Simulated Receipt Printer (bus 1, port 2)"),
            std::string::npos);
  EXPECT_NE(texts[0].find("udev rule"), std::string::npos);
  EXPECT_EQ(texts[1], msg::kUsbDeviceNotFound);
  EXPECT_TRUE(TraceHas("Error code 0xE0001100: Device not found."));

  // Once access is granted the next command opens it.
  prompt_.Clear();
  bus.backend.SetAccessDenied(bus.device, false);
  EXPECT_TRUE(comm.OpenInterface());
  EXPECT_TRUE(prompt_.Texts().empty());
}

TEST_F(UsbTransportTest, TheFirstReuseReopensLaterOnesKeepTheConnection) {
  UsbBus bus;
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  ASSERT_TRUE(comm.OpenInterface());
  ASSERT_TRUE(comm.OpenInterface());
  EXPECT_EQ(Usb(comm)->OpenCount(), 2);
  EXPECT_EQ(bus.backend.ResetCount(bus.device), 1);
  EXPECT_FALSE(CUsbInfo::FirstReuse());
  ASSERT_TRUE(comm.OpenInterface());
  EXPECT_EQ(Usb(comm)->OpenCount(), 2);
  EXPECT_EQ(bus.backend.ResetCount(bus.device), 1);
  EXPECT_TRUE(comm.ReaderRunning());
  EXPECT_TRUE(prompt_.Texts().empty());
}

TEST_F(UsbTransportTest, SwitchingBetweenSerialAndUsb) {
  UsbBus bus;
  CommSettings settings = test::UsbSettings();
  settings.portDevices[0] = "/nonexistent/tty";
  CCommContext comm(settings, prompt_, CurrentPlatformKind());
  ASSERT_TRUE(comm.OpenInterface());
  comm.settings.interfaceType = kInterfaceSerial;
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(),
            std::vector<std::string>{std::string(msg::kErrorGettingComHandle) + ": /nonexistent/tty: No such file or directory"});
  EXPECT_EQ(comm.Interface()->largestWrite, 1024u);
  // The USB connection was closed: its interface is free again.
  EXPECT_TRUE(bus.backend.Claimed(bus.device).empty());
  comm.settings.interfaceType = kInterfaceUsb;
  prompt_.Clear();
  EXPECT_TRUE(comm.OpenInterface());
  EXPECT_EQ(comm.Interface()->largestWrite, 16384u);
  EXPECT_TRUE(prompt_.Texts().empty());
}

TEST_F(UsbTransportTest, WithoutAUsbLibraryUsbIsNotOffered) {
  usb::FakeUsbBackend none(false);
  usb::ScopedBackend installed(none);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_FALSE(comm.usbAvailable);
  EXPECT_EQ(comm.settings.interfaceType, kInterfaceSerial);
  comm.settings.interfaceType = kInterfaceUsb;
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kInvalidInterface});
}

// The real library on this machine: it starts and stops its event thread, lists
// the bus, and with no printer present the open says so.
TEST_F(UsbTransportTest, LibusbWithoutAPrinter) {
  usb::LibusbBackend libusb;
  if (!libusb.Available()) GTEST_SKIP() << "libusb cannot be initialised here";
  if (!usb::PrinterDevices(libusb, {}).empty()) GTEST_SKIP() << "a USB printer is attached";
  EXPECT_EQ(libusb.Driver().interfaceVersion, usb::kInterfaceVersion);
  usb::ScopedBackend installed(libusb);
  CCommContext comm(test::UsbSettings(), prompt_, CurrentPlatformKind());
  EXPECT_TRUE(comm.usbAvailable);
  EXPECT_FALSE(comm.OpenInterface());
  EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{msg::kUsbDeviceNotFound});
}

}  // namespace
}  // namespace dotforge
