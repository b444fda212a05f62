#include "comm/port_choices.h"

#include <algorithm>

#include "comm/comm_messages.h"

namespace dotforge {
namespace {

bool Names(const SerialPortEntry& entry, const std::string& path) {
  return path == entry.path || path == entry.kernelPath;
}

}  // namespace

std::vector<PortChoice> PortChoices(const CommSettings& settings, const std::vector<SerialPortEntry>& present) {
  std::vector<PortChoice> choices;
  for (int port = 0; port < kSerialPortCount; ++port) {
    choices.push_back({PortName(port), PortDevice(settings, port), "", port, ""});
  }
  for (const SerialPortEntry& entry : present) {
    choices.push_back({entry.path, entry.description, entry.serialNumber, -1, entry.kernelPath});
  }
  const std::string& chosen = settings.serialDevice;
  const bool listed = std::any_of(present.begin(), present.end(),
                                  [&chosen](const SerialPortEntry& entry) { return Names(entry, chosen); });
  // Not found by the scan: gone, or a device the scan does not look for (a
  // pseudo-terminal, say), which is kept as it is.
  if (!chosen.empty() && !listed) {
    choices.push_back({chosen, DevicePresent(chosen) ? "" : msg::kDeviceNotPresent, "", -1, ""});
  }
  return choices;
}

int ChosenPort(const CommSettings& settings, const std::vector<PortChoice>& choices) {
  if (settings.serialDevice.empty()) return settings.serialPort;
  for (std::size_t i = kSerialPortCount; i < choices.size(); ++i) {
    const PortChoice& choice = choices[i];
    if (choice.name == settings.serialDevice || choice.kernelPath == settings.serialDevice) {
      return static_cast<int>(i);
    }
  }
  return settings.serialPort;
}

std::string PortChoiceText(const PortChoice& choice) {
  if (choice.portIndex >= 0) return choice.name;
  std::string text = choice.name + "  " + choice.description;
  if (!choice.serialNumber.empty()) text += "  [" + choice.serialNumber + "]";
  return text;
}

}  // namespace dotforge
