#include "formats/format_extensions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "model/side_format.h"

namespace dotforge {
namespace {

struct ExtensionEntry {
  const char* extension;
  int format;
};

// Outline fonts come in many files FreeType opens; these are the usual ones.
constexpr std::array kExtensions = {
    ExtensionEntry{".dat", kFormatDat},      ExtensionEntry{".dsb", kFormatDsb},
    ExtensionEntry{".ddb", kFormatDdb},      ExtensionEntry{".c", kFormatSt10},
    ExtensionEntry{".st9", kFormatSt9},      ExtensionEntry{".asm", kFormatAsm},
    ExtensionEntry{".1b", kFormat1B26},      ExtensionEntry{".1f", kFormat1F26},
    ExtensionEntry{".ttf", kFormatOutline},  ExtensionEntry{".otf", kFormatOutline},
    ExtensionEntry{".ttc", kFormatOutline},  ExtensionEntry{".otc", kFormatOutline},
    ExtensionEntry{".pfb", kFormatOutline},  ExtensionEntry{".pfa", kFormatOutline},
    ExtensionEntry{".woff", kFormatOutline}, ExtensionEntry{".woff2", kFormatOutline},
    ExtensionEntry{".bdf", kFormatBdf},      ExtensionEntry{".pcf", kFormatPcf},
    ExtensionEntry{".psf", kFormatPsf},      ExtensionEntry{".hex", kFormatHex},
};

std::string LowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::optional<int> FormatOfExtension(const std::string& extension) {
  for (const ExtensionEntry& entry : kExtensions) {
    if (extension == entry.extension) return entry.format;
  }
  return std::nullopt;
}

}  // namespace

bool IsBitmapFontFormat(int format) { return format >= kFormatBdf && format <= kFormatHex; }

std::optional<int> FormatFromExtension(const std::filesystem::path& file) {
  const std::string extension = LowerExtension(file);
  // Bitmap fonts may be gzip-packed: "12x24.pcf.gz" is read as PCF.
  if (extension != ".gz") return FormatOfExtension(extension);
  const std::optional<int> inner = FormatOfExtension(LowerExtension(file.stem()));
  if (inner && IsBitmapFontFormat(*inner)) return inner;
  return std::nullopt;
}

bool NeedsCellSize(int format) {
  return format == kFormatSt10 || format == kFormatSt9 || format == kFormatAsm || format == kFormatOutline;
}

}  // namespace dotforge
