#pragma once
// Loading the communication settings and the import folder at start-up and
// saving them at exit, under the key "SOFTWARE\TALMOR\DOTFORGE".

#include <string>

#include "comm/comm_settings.h"
#include "framework/dialog_requests.h"
#include "platform/settings_store.h"

namespace dotforge {

inline constexpr const char* kSettingsKey = "SOFTWARE\\TALMOR\\DOTFORGE";
inline constexpr const char* kValueInterfaceType = "InterfaceType";
inline constexpr const char* kValueSerialPortId = "Serial Port Id";
inline constexpr const char* kValueBaudRate = "Baud Rate";
inline constexpr const char* kValueParity = "Parity";
inline constexpr const char* kValueFlowControl = "Flow Control";
inline constexpr const char* kValueImportPath = "Import Path";
inline constexpr const char* kValueUsbPrinterIds = "USB Printer Ids";
// The export dialog's C array rows, one bit each: columns, LSB first, invert, art.
inline constexpr const char* kValueCArrayRows = "C Array Rows";
inline constexpr std::size_t kImportPathLimit = 255;

// A device chosen by its path rather than by a port name. It goes with "Serial
// Port Id", which keeps its 0..3 meaning for programs that know only that.
inline constexpr const char* kValueSerialPortDevice = "Serial Port Device";

// The device a port name stands for: "COM1 Device" .. "COM4 Device".
std::string PortDeviceValueName(int portIndex);

struct StoredSettings {
  CommSettings comm;
  std::string importPath;
  CArrayDialogOptions carrayRows;
};

// Defaults, then the stored values: the import path (the current folder when it
// is missing), then the five settings in their fixed order, stopping at the first
// missing one. A value outside its table keeps the default. The chosen device
// path is read only when "Serial Port Id" was. A store whose file cannot be read
// leaves the defaults and an empty import path. The C array rows are read
// whatever else is missing.
StoredSettings LoadStoredSettings(SettingsStore& store);
// Writes the import path and the five settings (one byte each) into the key,
// with the chosen device path and the port names' devices (removed when empty),
// the C array rows,
// and saves the file; false when it could not be saved.
bool SaveStoredSettings(SettingsStore& store, const StoredSettings& settings);

}  // namespace dotforge
