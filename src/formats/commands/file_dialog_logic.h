#pragma once
// What the import and export file dialogs decide, without the dialogs: the type
// list, the initial type, which option controls are enabled for a type, and the
// checks made when the user confirms a file name. The desktop dialogs hold one of
// the two states below and forward the user's actions to it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format_table.h"
#include "framework/dialog_requests.h"
#include "model/app_values.h"

namespace dotforge {

inline constexpr std::size_t kMaxFileTypes = 20;

struct FileTypeEntry {
  std::string text;       // "Files ST10 (*.C)"
  std::string pattern;    // "*.C": from the first '(' to the next ')'
  std::string extension;  // ".C": the pattern's first name pattern without its star
};

// Splits "entry|entry|..." into at most 20 entries.
std::vector<FileTypeEntry> ParseTypeList(std::string_view typeList);

// The position (from 1) of the first entry whose extension equals the default
// name's text from its first '.' (exact case); 1 when there is none.
int InitialFileType(std::string_view defaultFileName, const std::vector<FileTypeEntry>& types);

// The name the export dialog proposes: the default name, whose extension gives way
// to the initial type's when it is another (any case), so that a set opened from
// DV.ttf proposes DV.DAT rather than a DAT file under the TrueType file's name.
std::string ProposedFileName(std::string_view defaultFileName, const std::vector<FileTypeEntry>& types);

// The file-name text after a change of type: a star and the text after the
// entry's first '*' up to the next ')'.
std::string TypePattern(const FileTypeEntry& entry);

// A number typed into an option box: decimal; text that is not a number reads 0.
int ReadDialogNumber(std::string_view text);

struct ExportOptionControls {
  bool dataFormat = false;
  bool fontId = false;
  bool baseline = false;
  bool codePage = false;
  bool carray = false;  // layout, bit order, invert and glyph art
};

struct ImportOptionControls {
  bool dataFormat = false;
  bool width = false;
  bool height = false;
  bool bitmap = false;  // baseline, encoding, codes and font type: shown for bitmap fonts only
};

// An entry of the import dialog's encoding list: its text and the iconv name of
// the code page (empty: the font's Unicode codes are kept).
struct EncodingChoice {
  const char* text;
  const char* name;
};

// The common printer code pages, "Unicode (no re-encoding)" first.
const std::vector<EncodingChoice>& ImportEncodings();

// The font type list's positions (BitmapDialogOptions::fontTypeIndex) and texts.
inline constexpr int kFontTypeAutomaticIndex = 0;
inline constexpr int kFontTypeSingleIndex = 1;
inline constexpr int kFontTypeDoubleIndex = 2;
const std::vector<const char*>& ImportFontTypes();

// The bitmap font controls as the user left them.
struct BitmapOptionTexts {
  std::string baseline;  // empty or 0: the font's own
  std::string encoding;  // iconv name, empty: no re-encoding
  std::string codes;     // blanks are ignored
  int fontTypeIndex = 0;
};

ExportOptionControls ExportControlsFor(int typePosition);
ImportOptionControls ImportControlsFor(int typePosition);

// The font download id the export dialog shows after a change to `typePosition`:
// 52 ('4') for the double-byte download file, else 48 ('0').
int FontIdForExportType(int typePosition);

// Data word index (0 = "8 Bits", 1 = "16 Bits") of a word width and back. A font
// set that has no word width yet (0) starts on 8 bits.
int DataWordIndex(int dataWordBits);
int DataWordBits(int dataWordIndex);

// True when a typed file name holds a wildcard ('*' or '?'): a pattern that
// filters the listing, never the name of a file to write.
bool HasWildcard(std::string_view fileName);

// Confirm checks: the message that keeps the dialog open, or nothing. The export
// check refuses a name with a wildcard (a dialog filters its listing by it first),
// a download name too long for the printer's formats and a baseline outside the
// cell of `height` rows. The bitmap font options of an import are checked for the
// bitmap font types and outline fonts (whose kept codes they choose) only.
std::optional<const char*> CheckExportConfirm(const ExportDialogAnswer& answer, int height);
std::optional<const char*> CheckImportConfirm(int typePosition, int width, int height,
                                              const BitmapDialogOptions& bitmap = {});

// The import options an answer stands for, once its confirm check passed.
BitmapImportOptions BitmapImportOptionsOf(const BitmapDialogOptions& bitmap);

// The faces dialog's OK: a face must be selected when the list holds any, and a
// character map of the selected face when it has any, unless the codes are kept
// (the Unicode map gives them); a kept-codes choice needs its numbers in range.
std::optional<const char*> CheckFacesChoice(const FontFacesRequest& contents, const FontFacesAnswer& answer);

// The keep-codes numbers of a faces answer: pixel size 0 (the default) or
// 1..kMaxPixelSize, baseline unset or 0..255. The refusal, or nothing.
std::optional<const char*> CheckKeepCodesNumbers(const FontFacesAnswer& answer);

// The state of the export dialog's option panel.
class ExportFileDialogState {
 public:
  ExportFileDialogState(std::string_view typeList, std::string_view defaultFileName, int dataWordBits, int fontId);
  explicit ExportFileDialogState(const ExportDialogRequest& request);

  const std::vector<FileTypeEntry>& Types() const { return types_; }
  int Type() const { return type_; }
  const std::string& FileBuffer() const { return fileBuffer_; }
  const std::string& FileNameText() const { return fileNameText_; }
  int DataWordIndex() const { return dataWordIndex_; }
  int FontId() const { return fontId_; }
  int Baseline() const { return baseline_; }
  ExportOptionControls Controls() const { return ExportControlsFor(type_); }

  // The user chose another entry of the type list.
  void ChangeType(int typePosition);
  void SetDataWordIndex(int index) { dataWordIndex_ = index; }
  // Confirming `fileName` with `fontIdText` in the id box and `baselineText` in
  // the baseline box (read only where the type has one).
  std::optional<const char*> Confirm(std::string_view fileName, std::string_view fontIdText,
                                     std::string_view baselineText = {});

 private:
  std::vector<FileTypeEntry> types_;
  std::string fileBuffer_;
  std::string fileNameText_;
  int dataWordIndex_;
  int fontId_;
  int type_;
  int height_ = 0;
  int baseline_ = 0;
};

// The state of the import dialog's option panel.
class ImportFileDialogState {
 public:
  ImportFileDialogState(std::string_view typeList, std::string_view defaultFileName, int width, int height,
                        int dataWordBits, BitmapDialogOptions bitmap = {});

  const std::vector<FileTypeEntry>& Types() const { return types_; }
  int Type() const { return type_; }
  const std::string& FileBuffer() const { return fileBuffer_; }
  const std::string& FileNameText() const { return fileNameText_; }
  int DataWordIndex() const { return dataWordIndex_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const BitmapDialogOptions& Bitmap() const { return bitmap_; }
  ImportOptionControls Controls() const { return ImportControlsFor(type_); }

  void ChangeType(int typePosition);
  // A caller that knows the file's type starts on it; the default name stays.
  void StartOnType(int typePosition);
  void SetDataWordIndex(int index) { dataWordIndex_ = index; }
  // Confirming with these texts in the size boxes and the bitmap font controls.
  std::optional<const char*> Confirm(std::string_view widthText, std::string_view heightText,
                                     const BitmapOptionTexts& bitmap = {});

 private:
  std::vector<FileTypeEntry> types_;
  std::string fileBuffer_;
  std::string fileNameText_;
  int dataWordIndex_;
  int width_;
  int height_;
  BitmapDialogOptions bitmap_;
  int type_;
};

}  // namespace dotforge
