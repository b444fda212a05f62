#pragma once
// The serial ports a user can choose from: "COM1".."COM4" with the devices they
// stand for, then every serial device present, and a chosen device the scan did
// not find (so that the choice still shows and can be changed).

#include <string>
#include <vector>

#include "comm/comm_settings.h"
#include "comm/serial_ports.h"

namespace dotforge {

struct PortChoice {
  std::string name;         // "COM1".."COM4" or the device path
  std::string description;  // for a port name: the device it stands for
  std::string serialNumber;
  int portIndex = -1;       // 0..3 for "COM1".."COM4", -1 for a device path
  std::string kernelPath;   // a present device's /dev node
};

std::vector<PortChoice> PortChoices(const CommSettings& settings, const std::vector<SerialPortEntry>& present);

// The choice the settings make: the port name's index, or the entry for the
// chosen device (matched by its stored path or its /dev node).
int ChosenPort(const CommSettings& settings, const std::vector<PortChoice>& choices);

// How the dialog's port list shows a choice: a port name alone (its device shows
// beside the list), a device with its description and serial number.
std::string PortChoiceText(const PortChoice& choice);

}  // namespace dotforge
