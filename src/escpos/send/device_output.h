#pragma once
// A USB printer device of the kernel's printer-class driver (/dev/usb/lp*),
// written as a file. Held with an exclusive lock while open. Only a character
// device or a named pipe is taken: a regular file is refused untouched.

#include <string>

#include "escpos/send/escpos_output.h"

namespace dotforge {

OpenedOutput OpenDeviceOutput(const std::string& path);

}  // namespace dotforge
