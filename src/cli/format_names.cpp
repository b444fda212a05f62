#include "cli/format_names.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "formats/bitmap/bitmap_font_export.h"
#include "model/side_format.h"

namespace dotforge::cli {
namespace {

struct FormatEntry {
  const char* name;
  int format;
};

constexpr std::array kFormats = {
    FormatEntry{"dat", kFormatDat},   FormatEntry{"dsb", kFormatDsb},  FormatEntry{"ddb", kFormatDdb},
    FormatEntry{"st10", kFormatSt10}, FormatEntry{"st9", kFormatSt9},  FormatEntry{"asm", kFormatAsm},
    FormatEntry{"1b", kFormat1B26},   FormatEntry{"1f", kFormat1F26},  FormatEntry{"ttf", kFormatOutline},
    FormatEntry{"bdf", kFormatBdf},   FormatEntry{"pcf", kFormatPcf},  FormatEntry{"psf", kFormatPsf},
    FormatEntry{"hex", kFormatHex},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

}  // namespace

std::optional<int> FormatFromName(std::string_view name) {
  const std::string lower = Lower(name);
  for (const FormatEntry& entry : kFormats) {
    if (lower == entry.name) return entry.format;
  }
  return std::nullopt;
}

std::string FormatName(int format) {
  for (const auto& entry : kFormats) {
    if (entry.format == format) return entry.name;
  }
  return "?";
}

std::string FormatNameList() {
  std::string list;
  for (const auto& entry : kFormats) list += (list.empty() ? "" : ", ") + std::string(entry.name);
  return list;
}

bool IsWritableFormat(int format) {
  return (format >= kFormatDat && format < kFormatOutline) || IsBitmapExportFormat(format);
}

}  // namespace dotforge::cli
