#include "formats/commands/file_dialog_logic.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>

#include "formats/outline/baseline_glyph_renderer.h"
#include "formats/codepages/code_ranges.h"
#include "formats/formats_messages.h"
#include "model/font_set.h"
#include "model/model_messages.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

constexpr int kMaxDownloadNameLength = 8;
constexpr int kMaxKeepCodesBaseline = 255;
constexpr int kMaxCellSide = 255;

std::string InitialFileBuffer(std::string_view defaultFileName, const std::vector<FileTypeEntry>& types) {
  if (!defaultFileName.empty()) return std::string(defaultFileName);
  std::string pattern(1, '*');
  if (!types.empty()) pattern += types.front().extension;
  return pattern;
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// The download files hold the name before the first '.' in 8 bytes, which the
// printer shows as ASCII; the other formats keep the length rule.
std::optional<const char*> CheckDownloadName(std::string_view fileName, int typePosition) {
  const std::string_view name = fileName.substr(0, fileName.find('.'));
  const std::optional<int> format = ExportFormatAt(typePosition);
  const bool downloadFile = format == kFormatDsb || format == kFormatDdb;
  if (downloadFile && !IsPrintableAscii(name)) return msg::kFileNameNotAscii;
  if (name.size() > kMaxDownloadNameLength) return msg::kFileNameTooLong;
  return std::nullopt;
}

std::optional<const char*> CheckFontId(int fontId) {
  if (fontId < '0' || fontId > '4') return msg::kExportFontIdRange;
  return std::nullopt;
}

// The format at a position of a type list, when it is one of the table's.
const FileFormat* FormatAt(std::optional<int> format) { return format ? FindFileFormat(*format) : nullptr; }

// The bitmap fonts and firmware headers that follow the eight file formats in
// the export list carry no download name.
bool IsNamelessExportPosition(int typePosition) {
  const std::optional<int> format = ExportFormatAt(typePosition);
  return format && *format > kFormat1F26;
}

std::optional<const char*> CheckBaseline(int baseline, int height) {
  if (baseline < 0 || baseline > height) return msg::kBaselineOutsideCell;
  return std::nullopt;
}

// The source files are parsed at the cell size the user gives; an outline font
// is rendered at it.
bool IsSourcePosition(int typePosition) {
  const FileFormat* format = FormatAt(ImportFormatAt(typePosition));
  return format && format->needsCellSize && format->format != kFormatOutline;
}

bool IsOutlinePosition(int typePosition) { return ImportFormatAt(typePosition) == kFormatOutline; }

bool IsBitmapFontPosition(int typePosition) {
  const FileFormat* format = FormatAt(ImportFormatAt(typePosition));
  return format && format->bitmapFont;
}

// A baseline box that is empty or reads 0 leaves the baseline to the font.
std::optional<int> ReadBaseline(std::string_view text) {
  const int baseline = ReadDialogNumber(text);
  if (baseline == 0) return std::nullopt;
  return baseline;
}

std::string WithoutBlanks(std::string_view text) {
  std::string kept(text);
  std::erase_if(kept, [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
  return kept;
}

std::optional<const char*> CheckBitmapOptions(const BitmapDialogOptions& bitmap) {
  if (bitmap.baseline && (*bitmap.baseline < 0 || *bitmap.baseline > kMaxCellSide)) return msg::kImportBaselineRange;
  if (!bitmap.codes.empty() && !ParseCodeRanges(bitmap.codes)) return msg::kCodesSyntax;
  if (bitmap.fontTypeIndex < 0 || bitmap.fontTypeIndex >= static_cast<int>(ImportFontTypes().size())) {
    return msg::kFontTypeChoice;
  }
  return std::nullopt;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::vector<FileTypeEntry> ParseTypeList(std::string_view typeList) {
  std::vector<FileTypeEntry> types;
  std::size_t start = 0;
  while (start <= typeList.size() && types.size() < kMaxFileTypes) {
    const std::size_t bar = typeList.find('|', start);
    const std::string_view text = typeList.substr(start, bar == std::string_view::npos ? bar : bar - start);
    FileTypeEntry entry{std::string(text), {}, {}};
    if (const std::size_t open = text.find('('); open != std::string_view::npos) {
      const std::size_t close = text.find(')', open + 1);
      entry.pattern = std::string(text.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
    }
    // "*.TTF *.OTF *.TTC" lists several names; the first one's extension stands for the entry.
    const std::string first = entry.pattern.substr(0, entry.pattern.find(' '));
    entry.extension = first.starts_with('*') ? first.substr(1) : first;
    types.push_back(std::move(entry));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return types;
}

int InitialFileType(std::string_view defaultFileName, const std::vector<FileTypeEntry>& types) {
  const std::size_t dot = defaultFileName.find('.');
  if (dot == std::string_view::npos) return 1;
  const std::string_view extension = defaultFileName.substr(dot);
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (types[i].extension == extension) return static_cast<int>(i) + 1;
  }
  return 1;
}

std::string ProposedFileName(std::string_view defaultFileName, const std::vector<FileTypeEntry>& types) {
  std::filesystem::path name{std::string(defaultFileName)};
  if (types.empty() || !name.has_extension()) return InitialFileBuffer(defaultFileName, types);
  const auto type = static_cast<std::size_t>(InitialFileType(defaultFileName, types));
  const std::string& typeExtension = types[type - 1].extension;
  if (!typeExtension.empty() && !SameIgnoringCase(name.extension().string(), typeExtension)) {
    name.replace_extension(typeExtension);
  }
  return name.string();
}

std::string TypePattern(const FileTypeEntry& entry) {
  const std::string_view text = entry.text;
  std::string pattern(1, '*');
  const std::size_t star = text.find('*');
  if (star == std::string_view::npos) return pattern;
  const std::size_t close = text.find(')', star + 1);
  pattern += text.substr(star + 1, close == std::string_view::npos ? close : close - star - 1);
  return pattern;
}

int ReadDialogNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) value = INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

ExportOptionControls ExportControlsFor(int typePosition) {
  // BDF names its code page and places the baseline, as GFX places it; PSF2
  // decodes its codes into the Unicode table; C arrays have their layout rows.
  const std::optional<int> format = ExportFormatAt(typePosition);
  const FileFormat* entry = FormatAt(format);
  const bool bdf = format == kFormatBdf;
  return {entry && entry->needsWordWidth, format == kFormatDsb, bdf || format == kFormatGfx,
          bdf || format == kFormatPsf, format == kFormatCArray};
}

ImportOptionControls ImportControlsFor(int typePosition) {
  // A bitmap font's cell may be chosen; 0 takes the font's own size.
  const FileFormat* format = FormatAt(ImportFormatAt(typePosition));
  const bool bitmapFont = format && format->bitmapFont;
  const bool size = format && (format->needsCellSize || bitmapFont);
  return {format && format->needsWordWidth, size, size, bitmapFont};
}

const std::vector<EncodingChoice>& ImportEncodings() {
  static const std::vector<EncodingChoice> encodings{
      {msg::kEncodingUnicode, ""},  {"CP437", "CP437"},     {"CP850", "CP850"},           {"CP858", "CP858"},
      {"CP1252", "CP1252"},         {"ISO-8859-1", "ISO-8859-1"}, {"ISO-8859-2", "ISO-8859-2"},
      {"ISO-8859-15", "ISO-8859-15"}, {"Shift_JIS", "SHIFT_JIS"}, {"GBK", "GBK"},
      {"GB18030", "GB18030"},       {"Big5", "BIG5"},       {"EUC-KR", "EUC-KR"}};
  return encodings;
}

const std::vector<const char*>& ImportFontTypes() {
  static const std::vector<const char*> types{msg::kFontTypeAutomatic, msg::kFontTypeSingleByte,
                                              msg::kFontTypeDoubleByte};
  return types;
}

int FontIdForExportType(int typePosition) { return ExportFormatAt(typePosition) == kFormatDdb ? '4' : '0'; }

int DataWordIndex(int dataWordBits) { return dataWordBits == 16 ? 1 : 0; }

int DataWordBits(int dataWordIndex) { return dataWordIndex == 1 ? 16 : 8; }

bool HasWildcard(std::string_view fileName) { return fileName.find_first_of("*?") != std::string_view::npos; }

std::optional<const char*> CheckExportConfirm(const ExportDialogAnswer& answer, int height) {
  const std::string fileName = std::filesystem::path(answer.path).filename().string();
  if (HasWildcard(fileName)) return msg::kWildcardInFileName;
  if (IsNamelessExportPosition(answer.type)) {
    if (answer.baseline && ExportControlsFor(answer.type).baseline) return CheckBaseline(*answer.baseline, height);
    return std::nullopt;
  }
  if (auto problem = CheckDownloadName(fileName, answer.type)) return problem;
  return CheckFontId(answer.fontId);
}

std::optional<const char*> CheckImportConfirm(int typePosition, int width, int height,
                                              const BitmapDialogOptions& bitmap) {
  // A size below 1 would make every cell empty; the outline import refuses 0 itself
  // after the dialog, so only the source formats are refused here.
  if (IsSourcePosition(typePosition) && (width <= 0 || height <= 0)) return msg::kWidthAndHeightZero;
  if (ImportControlsFor(typePosition).width && (width > kMaxCellSide || height > kMaxCellSide)) {
    return msg::kCellSizeAbove255;
  }
  if (IsBitmapFontPosition(typePosition) || IsOutlinePosition(typePosition)) return CheckBitmapOptions(bitmap);
  return std::nullopt;
}

BitmapImportOptions BitmapImportOptionsOf(const BitmapDialogOptions& bitmap) {
  BitmapImportOptions options;
  options.baseline = bitmap.baseline;
  if (!bitmap.codes.empty()) options.codes = ParseCodeRanges(bitmap.codes).value_or(std::vector<CodeRange>{});
  options.encoding = bitmap.encoding;
  if (bitmap.fontTypeIndex == kFontTypeSingleIndex) options.fontType = kSingleByteFont;
  if (bitmap.fontTypeIndex == kFontTypeDoubleIndex) options.fontType = kDoubleByteFont;
  return options;
}

std::optional<const char*> CheckFacesChoice(const FontFacesRequest& contents, const FontFacesAnswer& answer) {
  const auto faces = static_cast<int>(contents.faces.size());
  if (faces > 0 && (answer.face < 0 || answer.face >= faces)) return msg::kSelectFontFace;
  if (answer.keepCodes) return CheckKeepCodesNumbers(answer);
  if (answer.face < 0 || static_cast<std::size_t>(answer.face) >= contents.charmaps.size()) return std::nullopt;
  const auto maps = static_cast<int>(contents.charmaps[static_cast<std::size_t>(answer.face)].size());
  if (maps > 0 && (answer.charmap < 0 || answer.charmap >= maps)) return msg::kSelectCharmap;
  return std::nullopt;
}

std::optional<const char*> CheckKeepCodesNumbers(const FontFacesAnswer& answer) {
  if (answer.pixelSize < 0 || answer.pixelSize > kMaxPixelSize) return msg::kPixelSizeRange;
  if (answer.baseline && (*answer.baseline < 0 || *answer.baseline > kMaxKeepCodesBaseline)) {
    return msg::kBaselineRange;
  }
  return std::nullopt;
}

ExportFileDialogState::ExportFileDialogState(std::string_view typeList, std::string_view defaultFileName,
                                             int dataWordBits, int fontId)
    : types_(ParseTypeList(typeList)),
      fileBuffer_(ProposedFileName(defaultFileName, types_)),
      dataWordIndex_(dotforge::DataWordIndex(dataWordBits)),
      fontId_(fontId),
      type_(InitialFileType(defaultFileName, types_)) {}

ExportFileDialogState::ExportFileDialogState(const ExportDialogRequest& request)
    : ExportFileDialogState(request.typeList, request.defaultFileName, request.dataWordBits, request.fontId) {
  height_ = request.height;
  baseline_ = request.baseline;
}

void ExportFileDialogState::ChangeType(int typePosition) {
  if (typePosition < 1 || typePosition > static_cast<int>(types_.size())) return;
  fileNameText_ = TypePattern(types_[static_cast<std::size_t>(typePosition - 1)]);
  fileBuffer_ = fileNameText_;
  type_ = typePosition;
  fontId_ = FontIdForExportType(typePosition);
}

std::optional<const char*> ExportFileDialogState::Confirm(std::string_view fileName, std::string_view fontIdText,
                                                          std::string_view baselineText) {
  if (HasWildcard(fileName)) return msg::kWildcardInFileName;
  if (IsNamelessExportPosition(type_)) {
    if (!Controls().baseline) return std::nullopt;
    baseline_ = ReadDialogNumber(baselineText);
    return CheckBaseline(baseline_, height_);
  }
  if (auto problem = CheckDownloadName(fileName, type_)) return problem;
  fontId_ = ReadDialogNumber(fontIdText);
  return CheckFontId(fontId_);
}

ImportFileDialogState::ImportFileDialogState(std::string_view typeList, std::string_view defaultFileName, int width,
                                             int height, int dataWordBits, BitmapDialogOptions bitmap)
    : types_(ParseTypeList(typeList)),
      fileBuffer_(InitialFileBuffer(defaultFileName, types_)),
      fileNameText_(defaultFileName),
      dataWordIndex_(dotforge::DataWordIndex(dataWordBits)),
      width_(width),
      height_(height),
      bitmap_(std::move(bitmap)),
      type_(InitialFileType(defaultFileName, types_)) {}

void ImportFileDialogState::ChangeType(int typePosition) {
  if (typePosition < 1 || typePosition > static_cast<int>(types_.size())) return;
  fileNameText_ = TypePattern(types_[static_cast<std::size_t>(typePosition - 1)]);
  fileBuffer_ = fileNameText_;
  type_ = typePosition;
}

void ImportFileDialogState::StartOnType(int typePosition) {
  if (typePosition >= 1 && typePosition <= static_cast<int>(types_.size())) type_ = typePosition;
}

std::optional<const char*> ImportFileDialogState::Confirm(std::string_view widthText, std::string_view heightText,
                                                          const BitmapOptionTexts& bitmap) {
  width_ = ReadDialogNumber(widthText);
  height_ = ReadDialogNumber(heightText);
  bitmap_ = {ReadBaseline(bitmap.baseline), bitmap.encoding, WithoutBlanks(bitmap.codes), bitmap.fontTypeIndex};
  return CheckImportConfirm(type_, width_, height_, bitmap_);
}

}  // namespace dotforge
