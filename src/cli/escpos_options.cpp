#include "cli/escpos_options.h"

#include <charconv>

#include "cli/printer_link.h"
#include "comm/comm_settings.h"
#include "comm/line_parameters.h"
#include "formats/codepages/code_ranges.h"
#include "preview/preview_render.h"

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

// --zoom, --paper-dots and --image into the shared part of a choice.
bool ReadPictureOptions(const ParsedArguments& parsed, int& zoom, std::int32_t& paperDots, PictureStreamOptions& stream,
                        std::string& error) {
  if (parsed.options.count("zoom")) {
    const std::optional<int> value = IntegerOption(parsed, "zoom", kMinPreviewZoom, kMaxPreviewZoom, error);
    if (!value) return false;
    zoom = *value;
  }
  if (parsed.options.count("paper-dots")) {
    const std::optional<int> value = IntegerOption(parsed, "paper-dots", kMinPaperDots, kMaxPaperDots, error);
    if (!value) return false;
    paperDots = *value;
  }
  if (parsed.options.count("image")) {
    const std::string& mode = parsed.options.at("image");
    if (mode != "raster" && mode != "column") {
      error = "--image must be raster or column";
      return false;
    }
    stream.mode = mode == "raster" ? PictureMode::Raster : PictureMode::Column;
  }
  stream.cut = parsed.flags.count("cut") > 0;
  return true;
}

}  // namespace

const std::set<std::string>& EscPosPrintOptionNames() {
  static const std::set<std::string> options{"codes", "zoom", "paper-dots", "image"};
  return options;
}

const std::set<std::string>& EscPosPrintFlagNames() {
  static const std::set<std::string> flags{"table", "cut"};
  return flags;
}

std::optional<EscPosPrintChoice> EscPosPrintChoiceFrom(const ParsedArguments& parsed, std::string& error) {
  const bool table = parsed.flags.count("table") > 0;
  if (table == (parsed.options.count("text") > 0)) {
    error = table ? "--text and --table exclude each other" : "escpos print needs --text TEXT or --table";
    return std::nullopt;
  }
  if (parsed.options.count("font")) {
    error = "--font belongs to escpos send and stream";
    return std::nullopt;
  }
  EscPosPrintChoice choice;
  if (!table) {
    if (parsed.options.count("codes")) {
      error = "--codes goes with --table";
      return std::nullopt;
    }
    TextPrintRequest text;
    text.text = parsed.options.at("text");
    if (parsed.options.count("encoding")) {
      text.encoding = parsed.options.at("encoding");
      if (text.encoding.empty()) {
        error = "--encoding needs an encoding name such as CP437";
        return std::nullopt;
      }
    }
    if (!ReadPictureOptions(parsed, text.zoom, text.paperDots, choice.stream, error)) return std::nullopt;
    choice.text = text;
    return choice;
  }
  if (parsed.options.count("encoding")) {
    error = "--encoding goes with --text";
    return std::nullopt;
  }
  TablePrintRequest request;
  if (parsed.options.count("codes")) {
    request.codes = ParseCodeRanges(parsed.options.at("codes"));
    if (!request.codes) {
      error = "--codes takes hexadecimal codes and ranges such as 20-7E,A0-FF";
      return std::nullopt;
    }
  }
  if (!ReadPictureOptions(parsed, request.zoom, request.paperDots, choice.stream, error)) return std::nullopt;
  choice.table = request;
  return choice;
}

std::optional<std::vector<ReceiptLine>> EscPosPrintLines(const CDotforgeImportDoc& doc, const EscPosPrintChoice& choice,
                                                         std::string& error) {
  return choice.text ? TextReceiptLines(doc, *choice.text, error) : TableReceiptLines(doc, *choice.table, error);
}

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
