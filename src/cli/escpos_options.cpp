#include "cli/escpos_options.h"

#include <charconv>

#include "cli/printer_link.h"
#include "comm/comm_settings.h"
#include "comm/line_parameters.h"

namespace dotforge::cli {
namespace {

std::optional<std::uint16_t> ParsePort(const std::string& text, std::string& error) {
  unsigned value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535) {
    error = "--host: the port must be a number from 1 to 65535";
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

std::optional<EscPosTarget> SerialTarget(const ParsedArguments& parsed, std::string& error) {
  const std::optional<CommSettings> settings = LinkSettings(parsed, error);
  if (!settings) return std::nullopt;
  EscPosTarget target;
  target.kind = EscPosLinkKind::Serial;
  target.path = OpenedDevice(*settings);
  target.line = LineParametersFor(*settings);
  return target;
}

}  // namespace

const std::set<std::string>& EscPosConnectionOptions() {
  static const std::set<std::string> options{"port", "baud", "parity", "flow", "host", "device"};
  return options;
}

const std::set<std::string>& EscPosStreamOptionNames() {
  static const std::set<std::string> options{"font", "text", "encoding"};
  return options;
}

std::optional<EscPosTarget> ParseHost(const std::string& text, std::string& error) {
  EscPosTarget target;
  target.kind = EscPosLinkKind::Network;
  std::string port;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string::npos || (close + 1 < text.size() && text[close + 1] != ':')) {
      error = "--host: write an IPv6 address as [ADDRESS] or [ADDRESS]:PORT";
      return std::nullopt;
    }
    target.host = text.substr(1, close - 1);
    if (close + 1 < text.size()) port = text.substr(close + 2);
    if (close + 1 < text.size() && port.empty()) port = ":";  // "[::1]:" has no port
  } else if (const auto colon = text.find(':'); colon != std::string::npos && text.find(':', colon + 1) == std::string::npos) {
    target.host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (port.empty()) port = ":";
  } else {
    target.host = text;
  }
  if (target.host.empty()) {
    error = "--host needs a host name or address";
    return std::nullopt;
  }
  if (!port.empty()) {
    const std::optional<std::uint16_t> number = ParsePort(port, error);
    if (!number) return std::nullopt;
    target.port = *number;
  }
  return target;
}

std::optional<EscPosTarget> EscPosTargetFrom(const ParsedArguments& parsed, std::string& error) {
  const bool serial = parsed.options.count("port") > 0;
  const bool network = parsed.options.count("host") > 0;
  const bool device = parsed.options.count("device") > 0;
  if (serial + network + device != 1) {
    error = serial + network + device == 0 ? "send needs one of --port, --host or --device"
                                           : "--port, --host and --device exclude each other";
    return std::nullopt;
  }
  if (!serial && (parsed.options.count("baud") || parsed.options.count("parity") || parsed.options.count("flow"))) {
    error = "--baud, --parity and --flow go with --port";
    return std::nullopt;
  }
  if (serial) return SerialTarget(parsed, error);
  if (network) return ParseHost(parsed.options.at("host"), error);
  EscPosTarget target;
  target.kind = EscPosLinkKind::Device;
  target.path = parsed.options.at("device");
  if (target.path.empty()) {
    error = "--device needs a device path such as /dev/usb/lp0";
    return std::nullopt;
  }
  return target;
}

std::optional<EscPosStreamOptions> EscPosStreamOptionsFrom(const ParsedArguments& parsed,
                                                           const CDotforgeImportDoc& doc, std::string& error) {
  EscPosStreamOptions options;
  options.font = FontForCell(doc.width, doc.height);
  if (parsed.options.count("font")) {
    const std::string& font = parsed.options.at("font");
    if (font == "a" || font == "A") {
      options.font = EscPosFont::A;
    } else if (font == "b" || font == "B") {
      options.font = EscPosFont::B;
    } else {
      error = "--font must be a or b";
      return std::nullopt;
    }
  }
  if (parsed.options.count("text")) options.sampleText = parsed.options.at("text");
  if (parsed.options.count("encoding")) {
    options.codePage = parsed.options.at("encoding");
    if (options.codePage.empty()) {
      error = "--encoding needs a code page name such as CP437";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace dotforge::cli
