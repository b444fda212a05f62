#pragma once
// The choices of the "Send to ESC/POS Printer" dialog without widgets: the
// connection and its fields, the printer font, the code page and the sample
// text, and for pictures the paper's width and the picture commands; their
// defaults, the check at Send, and how the last ones are stored.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "comm/comm_settings.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/send/escpos_target.h"
#include "escpos/streams/paper.h"
#include "escpos/streams/picture_stream.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/settings_store.h"

namespace dotforge {

inline constexpr const char* kEscPosChoicesKey = "SOFTWARE\\TALMOR\\DOTFORGE\\ESC/POS Printer";
inline constexpr const char* kDefaultEscPosDevice = "/dev/usb/lp0";
// The code pages offered, the default first; iconv names.
inline constexpr std::array<const char*, 7> kEscPosCodePages{"CP437", "CP850", "CP852", "CP858",
                                                             "CP866", "CP1252", "ISO-8859-1"};

struct EscPosChoices {
  EscPosLinkKind kind = EscPosLinkKind::Network;
  // Serial: the port (serialPort or serialDevice), baudRate, parity and
  // flowControl as the printer link keeps them.
  CommSettings serial;
  std::string host;
  std::uint16_t port = kDefaultEscPosPort;
  std::string devicePath = kDefaultEscPosDevice;
  std::string codePage = kDefaultCodePage;
  std::int32_t paperDots = kPaper80mmDots;
  PictureMode pictureMode = PictureMode::Raster;

  bool operator==(const EscPosChoices&) const = default;
};

// The font set's characters 0x20..0x7E in code order, as text: the sample
// line the dialog opens with.
std::string CharacterSample(const CDotforgeImportDoc& doc);

// The last choices in `store` (already loaded); each missing or wrong value
// keeps its default. `link` gives the serial line when none was stored.
EscPosChoices LoadEscPosChoices(const SettingsStore& store, const CommSettings& link);
// Writes the choices into the store and saves its file; false when that failed.
bool SaveEscPosChoices(SettingsStore& store, const EscPosChoices& choices);

// The check at Send: where the stream goes, or nothing after a warning
// through `prompt` (no host, no device path, no serial port). `link` gives
// the devices the port names "COM1".."COM4" stand for.
std::optional<EscPosTarget> TargetOf(const EscPosChoices& choices, const CommSettings& link, Prompt& prompt);

}  // namespace dotforge
