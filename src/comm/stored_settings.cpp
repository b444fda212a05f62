#include "comm/stored_settings.h"

#include <filesystem>
#include <optional>

#include "usb/usb_printers.h"

namespace dotforge {
namespace {

struct ByteSetting {
  const char* name;
  std::int32_t CommSettings::*field;
  std::int32_t count;  // valid values are 0 .. count - 1
};

constexpr ByteSetting kByteSettings[] = {
    {kValueInterfaceType, &CommSettings::interfaceType, 2},
    {kValueSerialPortId, &CommSettings::serialPort, kSerialPortCount},
    {kValueBaudRate, &CommSettings::baudRate, static_cast<std::int32_t>(kBaudRates.size())},
    {kValueParity, &CommSettings::parity, 3},
    {kValueFlowControl, &CommSettings::flowControl, 3},
};

std::string CurrentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : folder.string();
}

// An empty text removes the value, so a choice taken back does not come back
// at the next start.
void SetOrDeleteString(SettingsStore& store, const std::string& name, const std::string& value) {
  if (value.empty()) {
    store.DeleteValue(kSettingsKey, name);
  } else {
    store.SetString(kSettingsKey, name, value);
  }
}

constexpr std::uint8_t kColumnsBit = 1;
constexpr std::uint8_t kLsbFirstBit = 2;
constexpr std::uint8_t kInvertBit = 4;
constexpr std::uint8_t kArtBit = 8;

std::uint8_t CArrayRowsByte(const CArrayDialogOptions& rows) {
  return static_cast<std::uint8_t>((rows.columns ? kColumnsBit : 0) | (rows.lsbFirst ? kLsbFirstBit : 0) |
                                   (rows.invert ? kInvertBit : 0) | (rows.art ? kArtBit : 0));
}

CArrayDialogOptions CArrayRowsOf(std::uint8_t byte) {
  return {(byte & kColumnsBit) != 0, (byte & kLsbFirstBit) != 0, (byte & kInvertBit) != 0, (byte & kArtBit) != 0};
}

}  // namespace

std::string PortDeviceValueName(int portIndex) { return PortName(portIndex) + " Device"; }

StoredSettings LoadStoredSettings(SettingsStore& store) {
  StoredSettings settings;
  if (!store.Load()) return settings;
  store.CreateKey(kSettingsKey);

  const std::optional<std::string> importPath = store.QueryString(kSettingsKey, kValueImportPath);
  settings.importPath = importPath ? importPath->substr(0, kImportPathLimit) : CurrentFolder();
  if (const auto rows = store.QueryBinary(kSettingsKey, kValueCArrayRows); rows && !rows->empty()) {
    settings.carrayRows = CArrayRowsOf((*rows)[0]);
  }

  for (const ByteSetting& setting : kByteSettings) {
    const std::optional<Bytes> value = store.QueryBinary(kSettingsKey, setting.name);
    if (!value || value->empty()) break;
    // An index outside its table would pick a port, rate or parity that does not exist.
    if ((*value)[0] < setting.count) settings.comm.*setting.field = (*value)[0];
    if (setting.field == &CommSettings::serialPort) {
      settings.comm.serialDevice = store.QueryString(kSettingsKey, kValueSerialPortDevice).value_or("");
    }
  }
  for (int port = 0; port < kSerialPortCount; ++port) {
    if (const auto device = store.QueryString(kSettingsKey, PortDeviceValueName(port))) {
      settings.comm.portDevices[port] = *device;
    }
  }
  if (const auto ids = store.QueryString(kSettingsKey, kValueUsbPrinterIds)) {
    settings.comm.usbPrinterIds = usb::ParseUsbIds(*ids).value_or(std::vector<usb::UsbId>{});
  }
  return settings;
}

bool SaveStoredSettings(SettingsStore& store, const StoredSettings& settings) {
  store.CreateKey(kSettingsKey);
  store.SetString(kSettingsKey, kValueImportPath, settings.importPath.substr(0, kImportPathLimit));
  for (const ByteSetting& setting : kByteSettings) {
    const std::uint8_t byte = static_cast<std::uint8_t>(settings.comm.*setting.field & 0xFF);
    store.SetBinary(kSettingsKey, setting.name, ByteView(&byte, 1));
  }
  SetOrDeleteString(store, kValueSerialPortDevice, settings.comm.serialDevice);
  for (int port = 0; port < kSerialPortCount; ++port) {
    SetOrDeleteString(store, PortDeviceValueName(port), settings.comm.portDevices[port]);
  }
  const std::uint8_t rows = CArrayRowsByte(settings.carrayRows);
  store.SetBinary(kSettingsKey, kValueCArrayRows, ByteView(&rows, 1));
  if (!settings.comm.usbPrinterIds.empty()) {
    store.SetString(kSettingsKey, kValueUsbPrinterIds, usb::FormatUsbIds(settings.comm.usbPrinterIds));
  }
  return store.Save();
}

}  // namespace dotforge
