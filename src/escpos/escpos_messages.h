#pragma once
// Every text the ESC/POS stream and its connections show. A "{}" is replaced
// by the value named beside it (FormatMessage).

#include <initializer_list>
#include <string>
#include <string_view>

namespace dotforge::msg {

// Stream. {} 1: the printer font's name, 2: its width, 3: its height.
inline constexpr const char* kEscPosCellTooLarge =
    "The cell is larger than printer font {} ({} x {} dots): choose a smaller cell or the other printer font.";
// {} 1: font A's width, 2: its height.
inline constexpr const char* kEscPosCellTooLargeForA =
    "The cell is larger than printer font A ({} x {} dots), the largest printer font: choose a smaller cell.";
// {}: how many characters (with dots).
inline constexpr const char* kEscPosSkipped =
    "Characters not sent, being outside 0x20..0x7E where ESC/POS user-defined characters are: {}.";
// {}: the code page.
inline constexpr const char* kEscPosUnknownEncoding = "The code page {} is not known.";
// {}: the code page.
inline constexpr const char* kEscPosTextNotEncodable = "The sample text has characters the code page {} does not hold.";

// Network. {}: host and port.
inline constexpr const char* kEscPosHostUnknown = "The printer host {} was not found.";
inline constexpr const char* kEscPosRefused = "The printer at {} refused the connection.";
inline constexpr const char* kEscPosUnreachable = "The printer at {} cannot be reached.";
// {} 1: host and port, 2: seconds.
inline constexpr const char* kEscPosConnectTimedOut = "The printer at {} did not answer within {} s.";
inline constexpr const char* kEscPosConnectFailed = "Unable to connect to the printer at {}: {}.";
inline constexpr const char* kEscPosConnectionLost = "The connection to the printer at {} was lost: {}.";
inline constexpr const char* kEscPosHostStalled = "The printer at {} stopped taking data.";

// USB printer device. {}: the device path.
inline constexpr const char* kEscPosDeviceMissing = "The printer device {} does not exist (is the printer plugged in and on?).";
inline constexpr const char* kEscPosDeviceBusy = "The printer device {} is busy: another program is using it.";
inline constexpr const char* kEscPosDeviceDenied =
    "Permission denied for the printer device {}: the user must be allowed to write it (group lp).";
inline constexpr const char* kEscPosNotADevice = "{} is not a printer device.";
inline constexpr const char* kEscPosRegularFileUseStream =
    "{} is not a printer device; use 'escpos stream -o' to write a file";
inline constexpr const char* kEscPosRegularFilePrintOutput =
    "{} is not a printer device; use 'escpos print -o' to write a file";
inline constexpr const char* kEscPosDeviceFailed = "Unable to open the printer device {}: {}.";
inline constexpr const char* kEscPosDeviceWriteFailed = "Writing to the printer device {} failed: {}.";
inline constexpr const char* kEscPosDeviceStalled = "The printer device {} stopped taking data.";

// Serial line. {}: the device path.
inline constexpr const char* kEscPosPortMissing = "The serial port {} does not exist.";
inline constexpr const char* kEscPosPortBusy = "The serial port {} is in use by another program.";
inline constexpr const char* kEscPosPortDenied = "Permission denied for the serial port {}: the user must be allowed to use it (group dialout).";
inline constexpr const char* kEscPosPortNotSerial = "{} is not a serial port.";
inline constexpr const char* kEscPosPortFailed = "Unable to open the serial port {}: {}.";
inline constexpr const char* kEscPosPortWriteFailed = "Writing to the serial port {} failed: {}.";
inline constexpr const char* kEscPosPortStalled = "The printer on {} stopped taking data.";
inline constexpr const char* kEscPosBadLine = "The serial line settings are not valid.";

inline constexpr const char* kEscPosCancelled = "Sending to the printer was cancelled.";
inline constexpr const char* kEscPosSent = "The characters were sent to the printer.";
inline constexpr const char* kEscPosPictureSent = "The pictures were sent to the printer.";

// The check at Send.
inline constexpr const char* kEscPosNoHost = "Enter the printer's host name or address.";
inline constexpr const char* kEscPosNoDevice = "Enter the printer device (for example /dev/usb/lp0).";
inline constexpr const char* kEscPosNoPort = "Choose the serial port of the printer.";

// The virtual printer. {} 1: the byte offset of the command in the input.
inline constexpr const char* kEscPosSimUnknownCommand = "Unknown command at byte {}: {}.";
inline constexpr const char* kEscPosSimUnknownControl = "Unknown control byte at byte {}: {}.";
// {} 2: the y value.
inline constexpr const char* kEscPosSimBadColumnBytes = "ESC & at byte {} has y = {}; only 3 is known, nothing defined.";
// {} 2, 3: the first and last code.
inline constexpr const char* kEscPosSimBadRange = "ESC & at byte {} defines {}..{}, outside 0x20..0x7E; nothing defined.";
// {} 2: the code, 3: the width, 4: the font.
inline constexpr const char* kEscPosSimTooWide =
    "ESC & at byte {}: character {} is {} dots wide, more than font {} holds; not defined.";
inline constexpr const char* kEscPosSimModeIgnored =
    "ESC ! at byte {} sets print modes other than the font; the picture does not show them.";
// {} 2: the value of n.
inline constexpr const char* kEscPosSimUnknownFont = "ESC M at byte {} selects font {}, which is not known; the font stays.";
// {} 1: the command, 2: its offset, 3: the mode.
inline constexpr const char* kEscPosSimUnknownPictureMode = "{} at byte {} has mode {}, which is not known; not printed.";
// {} 1: the command, 2: its offset, 3: where the picture would end, 4: the paper width, in dots.
inline constexpr const char* kEscPosSimPictureTooWide =
    "{} at byte {} reaches {} dots, beyond the paper's {}; not printed.";
inline constexpr const char* kEscPosSimPictureInLine =
    "GS v 0 at byte {} comes while a line waits to be printed; not printed.";
// {} 2: the value of m.
inline constexpr const char* kEscPosSimUnknownCut = "GS V at byte {} has mode {}, which is not known; no cut.";
// How a cut shows among the printed lines.
inline constexpr const char* kEscPosSimCut = "--- cut ---";
inline constexpr const char* kEscPosSimUnfinished = "The input ended inside the command at byte {}.";
// {} 1: the address or path, 2: the reason.
inline constexpr const char* kEscPosSimCannotListen = "Unable to listen on {}: {}.";
inline constexpr const char* kEscPosSimPngFailed = "Unable to write the picture {}.";

// The message with each "{}" replaced by the next value, left to right.
inline std::string FormatMessage(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  auto value = values.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 1 < text.size() && text[i + 1] == '}' && value != values.end()) {
      out += *value++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace dotforge::msg
