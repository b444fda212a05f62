#include "escpos/send/escpos_choices.h"

#include <algorithm>
#include <charconv>

#include "comm/line_parameters.h"
#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

constexpr const char* kValueKind = "Connection";
constexpr const char* kValueSerialPort = "Serial Port Id";
constexpr const char* kValueSerialDevice = "Serial Port Device";
constexpr const char* kValueBaudRate = "Baud Rate";
constexpr const char* kValueParity = "Parity";
constexpr const char* kValueFlowControl = "Flow Control";
constexpr const char* kValueHost = "Host";
constexpr const char* kValuePort = "Port";
constexpr const char* kValueDevice = "Device";
constexpr const char* kValueCodePage = "Code Page";
constexpr const char* kValuePaperDots = "Paper Dots";
constexpr const char* kValuePictureMode = "Picture Mode";

constexpr std::int32_t kLinkKindCount = 3;

struct ByteChoice {
  const char* name;
  std::int32_t CommSettings::*field;
  std::int32_t count;  // valid values are 0 .. count - 1
};

constexpr ByteChoice kLineChoices[] = {
    {kValueSerialPort, &CommSettings::serialPort, kSerialPortCount},
    {kValueBaudRate, &CommSettings::baudRate, static_cast<std::int32_t>(kBaudRates.size())},
    {kValueParity, &CommSettings::parity, 3},
    {kValueFlowControl, &CommSettings::flowControl, 3},
};

std::optional<std::uint8_t> QueryByte(const SettingsStore& store, const char* name) {
  const std::optional<Bytes> value = store.QueryBinary(kEscPosChoicesKey, name);
  if (!value || value->size() != 1) return std::nullopt;
  return (*value)[0];
}

void SetByte(SettingsStore& store, const char* name, std::int32_t value) {
  const auto byte = static_cast<std::uint8_t>(value & 0xFF);
  store.SetBinary(kEscPosChoicesKey, name, ByteView(&byte, 1));
}

// A whole number 1..65535: a TCP port, or a paper width in dots.
std::optional<std::uint16_t> ParseWhole(const std::string& text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool Blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::string CharacterSample(const CDotforgeImportDoc& doc) {
  std::string sample;
  for (std::int32_t code = 0x20; code <= 0x7E; ++code) {
    if (std::find(doc.codes.begin(), doc.codes.end(), code) != doc.codes.end()) sample += static_cast<char>(code);
  }
  return sample;
}

EscPosChoices LoadEscPosChoices(const SettingsStore& store, const CommSettings& link) {
  EscPosChoices choices;
  choices.serial = link;
  if (const auto kind = QueryByte(store, kValueKind); kind && *kind < kLinkKindCount) {
    choices.kind = static_cast<EscPosLinkKind>(*kind);
  }
  for (const ByteChoice& choice : kLineChoices) {
    if (const auto value = QueryByte(store, choice.name); value && *value < choice.count) {
      choices.serial.*choice.field = *value;
    }
  }
  if (const auto device = store.QueryString(kEscPosChoicesKey, kValueSerialDevice)) {
    choices.serial.serialDevice = *device;
  }
  choices.host = store.QueryString(kEscPosChoicesKey, kValueHost).value_or("");
  if (const auto port = store.QueryString(kEscPosChoicesKey, kValuePort)) {
    choices.port = ParseWhole(*port).value_or(kDefaultEscPosPort);
  }
  if (const auto device = store.QueryString(kEscPosChoicesKey, kValueDevice); device && !device->empty()) {
    choices.devicePath = *device;
  }
  if (const auto codePage = store.QueryString(kEscPosChoicesKey, kValueCodePage); codePage && !codePage->empty()) {
    choices.codePage = *codePage;
  }
  if (const auto paper = store.QueryString(kEscPosChoicesKey, kValuePaperDots)) {
    const std::optional<std::uint16_t> dots = ParseWhole(*paper);
    if (dots && *dots >= kMinPaperDots && *dots <= kMaxPaperDots) choices.paperDots = *dots;
  }
  if (const auto mode = QueryByte(store, kValuePictureMode); mode && *mode <= 1) {
    choices.pictureMode = *mode == 0 ? PictureMode::Raster : PictureMode::Column;
  }
  return choices;
}

bool SaveEscPosChoices(SettingsStore& store, const EscPosChoices& choices) {
  store.CreateKey(kEscPosChoicesKey);
  SetByte(store, kValueKind, static_cast<std::int32_t>(choices.kind));
  for (const ByteChoice& choice : kLineChoices) SetByte(store, choice.name, choices.serial.*choice.field);
  if (choices.serial.serialDevice.empty()) {
    store.DeleteValue(kEscPosChoicesKey, kValueSerialDevice);
  } else {
    store.SetString(kEscPosChoicesKey, kValueSerialDevice, choices.serial.serialDevice);
  }
  store.SetString(kEscPosChoicesKey, kValueHost, choices.host);
  store.SetString(kEscPosChoicesKey, kValuePort, std::to_string(choices.port));
  store.SetString(kEscPosChoicesKey, kValueDevice, choices.devicePath);
  store.SetString(kEscPosChoicesKey, kValueCodePage, choices.codePage);
  store.SetString(kEscPosChoicesKey, kValuePaperDots, std::to_string(choices.paperDots));
  SetByte(store, kValuePictureMode, choices.pictureMode == PictureMode::Raster ? 0 : 1);
  return store.Save();
}

std::optional<EscPosTarget> TargetOf(const EscPosChoices& choices, const CommSettings& link, Prompt& prompt) {
  EscPosTarget target;
  target.kind = choices.kind;
  switch (choices.kind) {
    case EscPosLinkKind::Network:
      if (Blank(choices.host)) {
        prompt.ShowMessage(msg::kEscPosNoHost, MessageKind::Warning);
        return std::nullopt;
      }
      target.host = choices.host;
      target.port = choices.port;
      break;
    case EscPosLinkKind::Device:
      if (Blank(choices.devicePath)) {
        prompt.ShowMessage(msg::kEscPosNoDevice, MessageKind::Warning);
        return std::nullopt;
      }
      target.path = choices.devicePath;
      break;
    case EscPosLinkKind::Serial: {
      CommSettings line = choices.serial;
      line.portDevices = link.portDevices;
      target.path = OpenedDevice(line);
      if (target.path.empty()) {
        prompt.ShowMessage(msg::kEscPosNoPort, MessageKind::Warning);
        return std::nullopt;
      }
      target.line = LineParametersFor(line);
      break;
    }
  }
  return target;
}

}  // namespace dotforge
