#include "comm/line_parameters.h"

namespace dotforge {

LineParameters DefaultLineParameters() { return {}; }

LineParameters LineParametersFor(const CommSettings& settings) {
  LineParameters parameters;
  if (settings.baudRate >= 0 && settings.baudRate < static_cast<std::int32_t>(kBaudRates.size())) {
    parameters.baudRate = kBaudRates[settings.baudRate];
  }
  if (settings.parity >= kParityNone && settings.parity <= kParityEven) parameters.parity = settings.parity;
  parameters.ctsFlow = settings.flowControl == kFlowHardware;
  parameters.outputXonXoff = settings.flowControl == kFlowXonXoff;
  return parameters;
}

speed_t SpeedConstant(std::int32_t baudRate) {
  switch (baudRate) {
    case 115200: return B115200;
    case 57600: return B57600;
    case 38400: return B38400;
    case 19200: return B19200;
    case 9600: return B9600;
    case 4800: return B4800;
    case 2400: return B2400;
    case 1200: return B1200;
    default: return B0;
  }
}

void ConfigureTermios(termios& line, const LineParameters& parameters) {
  line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                          IXANY | INPCK | IGNPAR);
  line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  line.c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;
  if (parameters.parity != kParityNone) {
    line.c_cflag |= PARENB;
    if (parameters.parity == kParityOdd) line.c_cflag |= PARODD;
    line.c_iflag |= INPCK;
  }
  if (parameters.ctsFlow) line.c_cflag |= CRTSCTS;
  if (parameters.outputXonXoff) line.c_iflag |= IXON;
  line.c_cc[VSTART] = 0x11;
  line.c_cc[VSTOP] = 0x13;
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  const speed_t speed = SpeedConstant(parameters.baudRate);
  cfsetispeed(&line, speed);
  cfsetospeed(&line, speed);
}

}  // namespace dotforge
