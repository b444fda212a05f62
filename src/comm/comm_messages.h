#pragma once
// Texts of the printer link: messages the user sees and diagnostic trace entries.

namespace dotforge::msg {

// Communication context.
inline constexpr const char* kInvalidInterface = "Invalid Interface";
inline constexpr const char* kErrorCreateWriterThread = "Error Create Writer Thread";
inline constexpr const char* kErrorCreateReaderThread = "Error Create Reader Thread";
inline constexpr const char* kErrorStoppingThreads = "Error stopping Read/Write Threads";
inline constexpr const char* kReaderThreadDidntExit = "Reader Thread didn't exit.\n\r";
inline constexpr const char* kWriterThreadDidntExit = "Writer Thread didn't exit.\n\r";

// Serial transport.
inline constexpr const char* kErrorGettingComHandle = "Error getting COM Handle";
// Why the device could not be taken, after the device path (otherwise the system's text).
inline constexpr const char* kSerialDeviceInUse = "in use by another program";
inline constexpr const char* kNotASerialDevice = "not a serial device";
inline constexpr const char* kErrorGetCommState = "Error GetCommState";
inline constexpr const char* kErrorSetCommState = "Error SetCommState #%ld";
inline constexpr const char* kErrorSetDtr = "Error EscapeCommFunction (SETDTR)";
inline constexpr const char* kErrorClearDtr = "Error EscapeCommFunction(CLRDTR)";
inline constexpr const char* kErrorRestoreTimeouts = "Error SetCommTimeouts (Restoration to original)";
inline constexpr const char* kErrorPurgeComm = "Error PurgeComm";

// Serial ports present on the machine.
inline constexpr const char* kBuiltInSerialPort = "Built-in serial port";
inline constexpr const char* kUsbSerialAdapter = "USB serial adapter";
inline constexpr const char* kUsbSerialDevice = "USB serial device";
inline constexpr const char* kDeviceNotPresent = "(not present)";

// Setup Communication dialog; %s is the device path.
inline constexpr const char* kSerialDeviceMissing =
    "The serial device %s is not present.\nPlug it in, or choose another port.";
// USB transport.
inline constexpr const char* kUsbDeviceNotFound = "USB device not found";
inline constexpr const char* kBulkEndpointsNotFound = "Bulk endpoints not found";
inline constexpr const char* kUnknownDescriptor = "Unknown Descriptor";
inline constexpr const char* kZeroPacket = "Device returned a Zero packet (length=0) to the request";
// The device's name goes in; the rule file ships with the program's documentation.
inline constexpr const char* kUsbNoPermission =
    "No permission to use the USB printer %s.\n\nAllow your user access to it with a udev rule (an example is "
    "/usr/share/doc/dotforge/60-dotforge-usb-printer.rules), then unplug the printer and plug it in again.";
// Shown where the USB printer in use is named and none is present.
inline constexpr const char* kNoUsbPrinter = "No USB printer found";

}  // namespace dotforge::msg

namespace dotforge::trace {

inline constexpr const char* kReadFileInReader = "Error ReadFile in ReaderProc";
inline constexpr const char* kReadAborted = "Error Read aborted";
inline constexpr const char* kOverlappedResultInReader = "Error GetOverlappedResult (in Reader)";
inline constexpr const char* kBadWriteRequest = "Error Bad write request";
inline constexpr const char* kWriterWait = "Error WaitForMultipleObjects( writer proc )";
inline constexpr const char* kWriteAborted = "Error Write aborted\r\n";
inline constexpr const char* kOverlappedResultInWriter = "Error GetOverlappedResult(in Writer)";
inline constexpr const char* kWritingToPort = "Error writing data to port (overlapped)";
inline constexpr const char* kWriterGenericWait = "Error WaitForMultipleObjects (WriterGeneric)";
inline constexpr const char* kWriteFileInWriter = "Error WriteFile (in Writer)";
inline constexpr const char* kWriterPacketAlloc = "Error HeapAlloc (writer packet)";
inline constexpr const char* kCreateThreadExitEvent = "Error CreateEvent (Thread exit event)";
// Failures while closing a line that has already gone away: nobody can act on
// them, so they are traced instead of shown.
inline constexpr const char* kCloseGoneLine = "Serial line gone while closing: ";

}  // namespace dotforge::trace
