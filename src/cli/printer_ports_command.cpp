#include "cli/commands.h"
#include "cli/printer_link.h"
#include "comm/port_choices.h"
#include "comm/serial_ports.h"
#include "usb/usb_printers.h"

namespace dotforge::cli {

int RunPrinterPorts(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return UsageError(err, "printer", error);
  const std::vector<SerialPortEntry> present = SerialPortScanner(SerialPortRoots::FromEnvironment()).List();
  for (const PortChoice& choice : PortChoices(*settings, present)) {
    out << choice.name << '\t' << choice.description << '\t' << choice.serialNumber << '\n';
  }
  // USB printers come last, named as --usb would pick them: the first is used.
  for (const usb::UsbPrinterListing& printer : usb::ListUsbPrinters(usb::CurrentBackend(), settings->usbPrinterIds)) {
    out << "usb:" << usb::PortPath(printer.entry) << '\t' << printer.display << '\t' << '\n';
  }
  return kExitOk;
}

}  // namespace dotforge::cli
