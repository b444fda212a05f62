#include "formats/format_table.h"

#include <algorithm>
#include <cctype>

#include "formats/bitmap/bitmap_font_export.h"
#include "formats/bitmap/bitmap_font_import.h"
#include "formats/bitmap/unifont_hex_writer.h"
#include "formats/download/download_files.h"
#include "formats/firmware/carray_layout.h"
#include "formats/firmware/firmware_files.h"
#include "formats/firmware/firmware_messages.h"
#include "formats/formats_messages.h"
#include "formats/outline/outline_font_importer.h"
#include "formats/source/source_files.h"
#include "formats/streams/stream_files.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

constexpr std::int32_t kMaxStoredSide = 127;
constexpr std::int32_t kMaxSide = 255;
constexpr std::int32_t kMaxEscStreamHeight = 24;
constexpr std::uint32_t kSingleByte = 0xFF;
constexpr std::uint32_t kDoubleByte = 0xFFFF;

// The font set's own files store each side in seven bits.
bool StoredCell(std::int32_t width, std::int32_t height) {
  return width >= 1 && width <= kMaxStoredSide && height >= 1 && height <= kMaxStoredSide;
}

bool AnyCell(std::int32_t width, std::int32_t height) {
  return width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide;
}

bool EscStreamCell(std::int32_t width, std::int32_t height) {
  return AnyCell(width, height) && height <= kMaxEscStreamHeight;
}

// The GFX library's glyph offsets are signed bytes.
bool GfxCell(std::int32_t width, std::int32_t height) {
  return width >= 1 && width <= kMaxStoredSide && height >= 1 && height <= kMaxStoredSide;
}

//                                     codes  type   id     base   unicode
constexpr CarriedProperties kNative{true, true, false, false, false};
constexpr CarriedProperties kSingleByteDownload{true, true, true, false, false};
// Always a double-byte font with id '4'.
constexpr CarriedProperties kDoubleByteDownload{true, false, false, false, false};
constexpr CarriedProperties kCoded{true, true, false, false, false};
constexpr CarriedProperties kUncoded{false, false, false, false, false};
constexpr CarriedProperties kBdf{true, true, false, true, false};

std::vector<FileFormat> MakeFileFormats() {
  return {
      {kFormatDat, {"dat"}, msg::kTypeDat, msg::kTypeDat, {".dat"}, false, false, false,
       &StoredCell, kDoubleByte, kNative,
       &ReadWhenOpened, &WriteDat},
      {kFormatDsb, {"dsb"}, msg::kTypeDsb, msg::kTypeDsb, {".dsb"}, false, false, false,
       &StoredCell, kSingleByte, kSingleByteDownload,
       &ReadDownloadFile, &WriteDsb},
      {kFormatDdb, {"ddb"}, msg::kTypeDdb, msg::kTypeDdb, {".ddb"}, false, false, false,
       &StoredCell, kDoubleByte, kDoubleByteDownload,
       &ReadDownloadFile, &WriteDdb},
      {kFormatSt10, {"st10"}, msg::kTypeSt10, msg::kTypeSt10, {".c"}, true, true, false, &AnyCell, kDoubleByte, kCoded,
       &ReadSt10, &WriteSt10},
      {kFormatSt9, {"st9"}, msg::kTypeSt9, msg::kTypeSt9, {".st9"}, true, false, false, &AnyCell, kDoubleByte, kUncoded,
       &ReadSt9, &WriteSt9},
      {kFormatAsm, {"asm"}, msg::kTypeAsm, msg::kTypeAsm, {".asm"}, true, false, false, &AnyCell, kDoubleByte, kCoded,
       &ReadAsm, &WriteAsm},
      {kFormat1B26, {"1b"}, msg::kType1B26, msg::kType1B26, {".1b"}, false, false, false,
       &EscStreamCell, kSingleByte, kCoded,
       &ReadWhenOpened, &WriteEscStream},
      {kFormat1F26, {"1f"}, msg::kType1F26, msg::kType1F26, {".1f"}, false, false, false, &AnyCell, kSingleByte, kCoded,
       &ReadWhenOpened, &WriteUsStream},
      // FreeType opens many outline font files; these are the usual ones.
      {kFormatOutline,
       {"ttf"},
       msg::kImportTypeOutline,
       nullptr,
       {".ttf", ".otf", ".ttc", ".otc", ".pfb", ".pfa", ".woff", ".woff2"},
       true,
       false,
       false,
       &AnyCell,
       kDoubleByte,
       kUncoded,
       &ReadOutlineFont,
       nullptr},
      {kFormatBdf, {"bdf"}, msg::kImportTypeBdf, msg::kExportTypeBdf, {".bdf"}, false, false, true,
       &AnyCell, kDoubleByte, kBdf,
       &ReadBitmapFont, &WriteBdfFont},
      {kFormatPcf, {"pcf"}, msg::kImportTypePcf, nullptr, {".pcf"}, false, false, true, &AnyCell, kDoubleByte, kCoded,
       &ReadBitmapFont, nullptr},
      {kFormatPsf, {"psf"}, msg::kImportTypePsf, msg::kExportTypePsf2, {".psf"}, false, false, true,
       &AnyCell, kDoubleByte, kCoded,
       &ReadBitmapFont, &WritePsfFont},
      {kFormatHex, {"hex"}, msg::kImportTypeHex, msg::kExportTypeHex, {".hex"}, false, false, true,
       &IsUnifontCell, kDoubleByte,
       kCoded, &ReadBitmapFont, &WriteHexFont},
      {kFormatGfx, {"gfx"}, nullptr, msg::kExportTypeGfx, {".h"}, false, false, false, &GfxCell, kDoubleByte,
       kUncoded, nullptr, &WriteGfxFont},
      // Chosen by name only: .h is the GFX font's extension.
      {kFormatCArray, {"carray"}, msg::kTypeCArray, msg::kTypeCArray, {}, false, false, false, &IsCArrayCell,
       kDoubleByte, kCoded, &ReadCArray, &WriteCArray},
  };
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

const FileFormat* FormatOfExtension(const std::string& extension) {
  for (const FileFormat& entry : FileFormats()) {
    for (const std::string_view known : entry.extensions) {
      if (SameIgnoringCase(extension, known)) return &entry;
    }
  }
  return nullptr;
}

using TypeOf = const char* FileFormat::*;

// The formats listed by `type`, in table order.
std::vector<const FileFormat*> Listed(TypeOf type) {
  std::vector<const FileFormat*> listed;
  for (const FileFormat& entry : FileFormats()) {
    if (entry.*type != nullptr) listed.push_back(&entry);
  }
  return listed;
}

std::optional<int> FormatAt(TypeOf type, int position) {
  const std::vector<const FileFormat*> listed = Listed(type);
  if (position < 1 || position > static_cast<int>(listed.size())) return std::nullopt;
  return listed[static_cast<std::size_t>(position - 1)]->format;
}

int PositionOf(TypeOf type, int format) {
  const std::vector<const FileFormat*> listed = Listed(type);
  for (std::size_t i = 0; i < listed.size(); ++i) {
    if (listed[i]->format == format) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string TypeList(TypeOf type) {
  std::string list;
  for (const FileFormat* entry : Listed(type)) {
    list += entry->*type;
    list += '|';
  }
  return list + msg::kAllFilesType;
}

}  // namespace

const std::vector<FileFormat>& FileFormats() {
  static const std::vector<FileFormat> formats = MakeFileFormats();
  return formats;
}

const FileFormat* FindFileFormat(int format) {
  for (const FileFormat& entry : FileFormats()) {
    if (entry.format == format) return &entry;
  }
  return nullptr;
}

const FileFormat* FileFormatByName(std::string_view name) {
  for (const FileFormat& entry : FileFormats()) {
    for (const std::string_view known : entry.names) {
      if (SameIgnoringCase(name, known)) return &entry;
    }
  }
  return nullptr;
}

const FileFormat* FileFormatByExtension(const std::filesystem::path& file) {
  const std::string extension = file.extension().string();
  // Bitmap fonts may be gzip-packed: "12x24.pcf.gz" is read as PCF.
  if (!SameIgnoringCase(extension, ".gz")) return FormatOfExtension(extension);
  const FileFormat* inner = FormatOfExtension(file.stem().extension().string());
  return inner && inner->bitmapFont ? inner : nullptr;
}

std::optional<int> ImportFormatAt(int position) { return FormatAt(&FileFormat::importType, position); }

int ImportTypePosition(int format) { return PositionOf(&FileFormat::importType, format); }

std::optional<int> ExportFormatAt(int position) { return FormatAt(&FileFormat::exportType, position); }

int ExportTypePosition(int format) { return PositionOf(&FileFormat::exportType, format); }

std::string ImportTypeList() { return TypeList(&FileFormat::importType); }

std::string ExportTypeList() { return TypeList(&FileFormat::exportType); }

std::string FormatNames(bool (*keep)(const FileFormat&)) {
  std::string names;
  for (const FileFormat& entry : FileFormats()) {
    if (!keep(entry)) continue;
    if (!names.empty()) names += ", ";
    names += entry.names.front();
  }
  return names;
}

std::string FormatName(int format) {
  const FileFormat* entry = FindFileFormat(format);
  return entry ? std::string(entry->names.front()) : "?";
}

}  // namespace dotforge
