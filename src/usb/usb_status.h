#pragma once
// Status codes of the USB request layer and their texts for the diagnostic trace.

#include <cstdint>
#include <string>

namespace dotforge::usb {

inline constexpr std::uint32_t kStatusSuccess = 0x00000000;
inline constexpr std::uint32_t kStatusHaltedEndpoint = 0xE0000030;
inline constexpr std::uint32_t kStatusBusy = 0xE0000400;
inline constexpr std::uint32_t kStatusDataOverrun = 0xE0000008;
inline constexpr std::uint32_t kStatusCancelled = 0xE0010000;
inline constexpr std::uint32_t kStatusFailed = 0xE0001000;
inline constexpr std::uint32_t kStatusInputBufferTooSmall = 0xE0001001;
inline constexpr std::uint32_t kStatusOutputBufferTooSmall = 0xE0001002;
inline constexpr std::uint32_t kStatusOutOfMemory = 0xE0001003;
inline constexpr std::uint32_t kStatusPipeAlreadyBound = 0xE0001008;
inline constexpr std::uint32_t kStatusDeviceRemoved = 0xE000100A;
inline constexpr std::uint32_t kStatusNotSupported = 0xE000100B;
inline constexpr std::uint32_t kStatusTimeout = 0xE000100C;
inline constexpr std::uint32_t kStatusInvalidRecipient = 0xE000100D;
inline constexpr std::uint32_t kStatusInvalidIoctl = 0xE000100F;
inline constexpr std::uint32_t kStatusPipeNotFound = 0xE0001013;
inline constexpr std::uint32_t kStatusInterfaceNotFound = 0xE0001016;
inline constexpr std::uint32_t kStatusInvalidParameter = 0xE0001018;
inline constexpr std::uint32_t kStatusVersionMismatch = 0xE000101C;
inline constexpr std::uint32_t kStatusSetConfigurationFailed = 0xE000101D;
inline constexpr std::uint32_t kStatusDeviceNotFound = 0xE0001100;
inline constexpr std::uint32_t kStatusDeviceNotOpen = 0xE0001102;
inline constexpr std::uint32_t kStatusNoSuchInstance = 0xE0001104;

// The text of a status code; a code not in the table gives "Windows system error code.".
const char* StatusText(std::uint32_t status);
// "Error code 0x%08X: %s", at most 256 characters.
std::string FormatStatus(std::uint32_t status);
// The status code standing for a libusb error code (0 stays 0).
std::uint32_t StatusFromLibusb(int error);

}  // namespace dotforge::usb
