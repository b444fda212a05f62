#include "comm/comm_settings.h"

namespace dotforge {

std::string PortName(std::int32_t portIndex) { return "COM" + std::string(1, static_cast<char>('1' + portIndex)); }

std::string PortDevice(const CommSettings& settings, std::int32_t portIndex) {
  if (portIndex >= 0 && portIndex < kSerialPortCount && !settings.portDevices[portIndex].empty()) {
    return settings.portDevices[portIndex];
  }
  return "/dev/ttyS" + std::to_string(portIndex);
}

std::string OpenedDevice(const CommSettings& settings) {
  return settings.serialDevice.empty() ? PortDevice(settings, settings.serialPort) : settings.serialDevice;
}

std::int32_t BaudRateIndex(std::int32_t baudRate) {
  for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
    if (kBaudRates[i] == baudRate) return static_cast<std::int32_t>(i);
  }
  return -1;
}

}  // namespace dotforge
