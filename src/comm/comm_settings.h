#pragma once
// The five communication settings, their value tables, and the device each
// serial port name stands for.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dotforge {

inline constexpr int kInterfaceSerial = 0;
inline constexpr int kInterfaceUsb = 1;

inline constexpr int kFlowNone = 0;
inline constexpr int kFlowHardware = 1;
inline constexpr int kFlowXonXoff = 2;

inline constexpr int kParityNone = 0;
inline constexpr int kParityOdd = 1;
inline constexpr int kParityEven = 2;

inline constexpr int kSerialPortCount = 4;
inline constexpr std::array<std::int32_t, 8> kBaudRates{115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200};
inline constexpr std::array<const char*, kSerialPortCount> kPortNames{"COM1", "COM2", "COM3", "COM4"};
inline constexpr std::array<const char*, 3> kParityNames{"None", "Odd", "Even"};
inline constexpr std::array<const char*, 3> kFlowControlNames{"None", "Hardware", "Xon/Xoff"};

struct CommSettings {
  std::int32_t interfaceType = kInterfaceSerial;
  std::int32_t flowControl = kFlowHardware;
  std::int32_t serialPort = 0;
  std::int32_t baudRate = 0;
  std::int32_t parity = kParityNone;
  // The device behind "COM1".."COM4"; empty means the default /dev/ttySn.
  std::array<std::string, kSerialPortCount> portDevices;
  // A device chosen by its path instead of a port name; empty when the port
  // is one of "COM1".."COM4" (serialPort).
  std::string serialDevice;
  // USB printers without a printer-class interface, by vendor and product id
  // (vendor in the high 16 bits).
  std::vector<std::uint32_t> usbPrinterIds;

  bool operator==(const CommSettings&) const = default;
};

// "COM" and the digit 1 plus the index.
std::string PortName(std::int32_t portIndex);
// The device path opened for a port: the configured one, else /dev/ttyS0..3.
std::string PortDevice(const CommSettings& settings, std::int32_t portIndex);
// The device the serial transport opens: the chosen device path, else the
// device of the chosen port name.
std::string OpenedDevice(const CommSettings& settings);
// The index of a baud rate in kBaudRates, if it is one of them.
std::int32_t BaudRateIndex(std::int32_t baudRate);

}  // namespace dotforge
