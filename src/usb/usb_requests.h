#pragma once
// The requests of the USB request layer: their codes and the byte layouts of
// their input and output records (little-endian).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/bytes.h"
#include "usb/usb_backend.h"

namespace dotforge::usb {

inline constexpr std::uint32_t kRequestDriverInfo = 0x8094206C;
inline constexpr std::uint32_t kRequestDeviceParameters = 0x8094203C;
inline constexpr std::uint32_t kRequestGetDescriptor = 0x80942006;
inline constexpr std::uint32_t kRequestGetConfiguration = 0x80942018;
inline constexpr std::uint32_t kRequestSetConfiguration = 0x80942024;
inline constexpr std::uint32_t kRequestBindPipe = 0x80942078;
inline constexpr std::uint32_t kRequestResetDevice = 0x80942054;

// The interface version this program is written against.
inline constexpr std::uint16_t kInterfaceVersion = 0x0141;

inline constexpr std::size_t kDriverInfoSize = 12;
inline constexpr std::size_t kDeviceParametersSize = 8;
inline constexpr std::size_t kDescriptorRequestSize = 8;
inline constexpr std::size_t kSetConfigurationSize = 260;
inline constexpr std::size_t kConfigurationEntries = 32;

inline constexpr std::uint32_t kRecipientDevice = 0;
inline constexpr std::uint8_t kDescriptorConfiguration = 2;

struct DescriptorRequest {
  std::uint32_t recipient = kRecipientDevice;
  std::uint8_t type = kDescriptorConfiguration;
  std::uint8_t index = 0;
  std::uint16_t language = 0;
};

struct InterfaceSetting {
  std::uint16_t interfaceIndex = 0;
  std::uint16_t alternateSetting = 0;
  std::uint32_t maximumTransfer = 0;
};

struct SetConfigurationRequest {
  std::uint16_t configurationIndex = 0;
  std::uint16_t interfaceCount = 0;
  InterfaceSetting interfaces[kConfigurationEntries]{};
};

Bytes EncodeDriverInfo(const DriverInfo& info);
DriverInfo DecodeDriverInfo(ByteView bytes);  // needs kDriverInfoSize bytes
Bytes EncodeDescriptorRequest(const DescriptorRequest& request);
DescriptorRequest DecodeDescriptorRequest(ByteView bytes);  // needs kDescriptorRequestSize bytes
Bytes EncodeSetConfiguration(const SetConfigurationRequest& request);
SetConfigurationRequest DecodeSetConfiguration(ByteView bytes);  // needs kSetConfigurationSize bytes

}  // namespace dotforge::usb
