#include "cli/input_file.h"

#include <filesystem>

#include "formats/outline/baseline_glyph_renderer.h"
#include "formats/bitmap/bitmap_font_import.h"
#include "formats/codepages/code_ranges.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/commands/import_command.h"
#include "formats/format_table.h"
#include "model/font_set.h"
#include "model/side_format.h"

namespace dotforge::cli {
namespace {

constexpr int kMaxCellSide = 255;
constexpr int kMaxIndex = 0xFFFF;
const char* const kBitmapOptions[] = {"baseline", "codes", "encoding", "font-type"};

// Sets `target` from an integer option when it is given; false after a usage error.
bool TakeInteger(const ParsedArguments& parsed, const std::string& name, int low, int high, std::optional<int>& target,
                 std::string& error) {
  if (!parsed.options.count(name)) return true;
  target = IntegerOption(parsed, name, low, high, error);
  return target.has_value();
}

bool IsRead(const FileFormat& format) { return format.read != nullptr; }

std::optional<int> InputFormat(const std::string& file, const ParsedArguments& parsed, std::string& error) {
  if (parsed.options.count("from")) {
    const FileFormat* format = FileFormatByName(parsed.options.at("from"));
    if (!format || !format->read) {
      error = "unknown format '" + parsed.options.at("from") + "' (known: " + FormatNames(&IsRead) + ")";
      return std::nullopt;
    }
    return format->format;
  }
  const FileFormat* format = FileFormatByExtension(file);
  if (!format || !format->read) {
    error = "cannot tell the format of " + file + " from its extension: use --from";
    return std::nullopt;
  }
  return format->format;
}

// The bitmap font options into `options`, as the import dialog would hold them
// (they choose the codes of an outline font too when its codes are kept); false
// after a usage error.
bool TakeBitmapOptions(const ParsedArguments& parsed, int format, bool keepCodes, BitmapDialogOptions& options,
                       std::string& error) {
  for (const char* name : kBitmapOptions) {
    if (parsed.options.count(name) && !FindFileFormat(format)->bitmapFont && !keepCodes) {
      error = std::string("--") + name + " applies to bdf, pcf, psf and hex input, and to ttf input with --keep-codes";
      return false;
    }
  }
  if (parsed.options.count("baseline")) {
    const std::optional<int> baseline = IntegerOption(parsed, "baseline", 0, kMaxCellSide, error);
    if (!baseline) return false;
    options.baseline = *baseline;
  }
  if (parsed.options.count("codes")) {
    if (!ParseCodeRanges(parsed.options.at("codes"))) {
      error = "--codes must be hexadecimal codes and ranges such as 20-7E,A0-FF";
      return false;
    }
    options.codes = parsed.options.at("codes");
  }
  if (parsed.options.count("encoding")) options.encoding = parsed.options.at("encoding");
  if (parsed.options.count("font-type")) {
    const std::string& type = parsed.options.at("font-type");
    if (type != "single" && type != "double") {
      error = "--font-type must be single or double";
      return false;
    }
    options.fontTypeIndex = type == "single" ? kFontTypeSingleIndex : kFontTypeDoubleIndex;
  }
  return true;
}

// The keep-codes flags of an outline font into the faces dialog's answer; false
// after a usage error.
bool TakeKeepCodes(const ParsedArguments& parsed, int format, const BitmapDialogOptions& options, FaceChoice& faces,
                   std::string& error) {
  faces.keepCodes = parsed.flags.count("keep-codes") > 0;
  if (faces.keepCodes && format != kFormatOutline) {
    error = "--keep-codes applies to ttf input only";
    return false;
  }
  if (parsed.options.count("pixel-size") && !faces.keepCodes) {
    error = "--pixel-size applies with --keep-codes only";
    return false;
  }
  if (faces.keepCodes && faces.charmap) {
    error = "--charmap does not apply with --keep-codes: the face's Unicode map gives the codes";
    return false;
  }
  std::optional<int> pixelSize;
  if (!TakeInteger(parsed, "pixel-size", 1, kMaxPixelSize, pixelSize, error)) return false;
  faces.pixelSize = pixelSize.value_or(0);
  faces.encoding = options.encoding;
  faces.baseline = options.baseline;
  return true;
}

}  // namespace

const std::set<std::string>& KeepCodesOptions() {
  static const std::set<std::string> options{"pixel-size"};
  return options;
}

const std::set<std::string>& KeepCodesFlags() {
  static const std::set<std::string> flags{"keep-codes"};
  return flags;
}

const char* KeepCodesOptionsHelp() {
  return "outline fonts (ttf) keeping their character codes:\n"
         "  --keep-codes       keep the face's Unicode codes (instead of numbering the\n"
         "                     characters from 0x20) and draw every glyph on one baseline,\n"
         "                     its advance centred in the cell, never stretched; --encoding,\n"
         "                     --codes, --font-type and --baseline apply as for bitmap fonts\n"
         "                     (default baseline: from the face's ascender)\n"
         "  --pixel-size P     render at P pixels per em (1..512; default: the size at which\n"
         "                     the face's ascender + descender fit the cell height)\n";
}

const std::set<std::string>& InputOptions() {
  static const std::set<std::string> options{"from",     "width", "height",   "word-bits", "face",
                                             "charmap",  "baseline", "codes", "encoding",  "font-type"};
  return options;
}

const char* InputOptionsHelp() {
  return "  --from FMT         read the input as FMT instead of guessing from its extension\n"
         "  --width W          cell width in dots (1..255): needed for st10, st9, asm and ttf\n"
         "                     input; for bdf, pcf, psf and hex the default is the widest glyph\n"
         "  --height H         cell height in dots (1..255): needed for st10, st9, asm and ttf\n"
         "                     input; for bdf, pcf, psf and hex the default is ascent + descent\n"
         "  --word-bits 8|16   data word width of st10 files (default 8)\n"
         "  --face N           face of an outline font file (default 0; see 'faces')\n"
         "  --charmap N        character map of that face (default: its Unicode map)\n"
         "bitmap fonts (bdf, pcf, psf, hex; also .gz; .bdf and .pcf files are read as\n"
         "bitmap fonts, --from ttf reads them through the outline import instead):\n"
         "  --baseline B       cell rows above the baseline (default: the font's ascent)\n"
         "  --codes LIST       keep only these hexadecimal codes and ranges, e.g. 20-7E,A0-FF\n"
         "                     (after --encoding); codes below 0x20 are always skipped\n"
         "  --encoding NAME    re-encode Unicode into an iconv code page (CP437, SHIFT_JIS,\n"
         "                     GBK, ...): the code is the encoded one or two bytes\n"
         "  --font-type single|double\n"
         "                     force the font type (default: single-byte when every code is\n"
         "                     at most 0xFF); single keeps codes 0x20..0xFF only\n"
         "The kept, skipped and cut characters are counted on stderr.\n";
}

std::unique_ptr<CDotforgeImportDoc> OpenInputFile(const std::string& file, const ParsedArguments& parsed,
                                                  AppValues& app, CliPrompt& prompt, std::string& error) {
  const std::optional<int> format = InputFormat(file, parsed, error);
  if (!format) return nullptr;

  FileChoice choice{file, *format, {}, {}, {}, {}, {}, {}, {}};
  FaceChoice faces;
  if (!TakeInteger(parsed, "width", 1, kMaxCellSide, choice.width, error) ||
      !TakeInteger(parsed, "height", 1, kMaxCellSide, choice.height, error) ||
      !TakeInteger(parsed, "face", 0, kMaxIndex, faces.face, error) ||
      !TakeInteger(parsed, "charmap", 0, kMaxIndex, faces.charmap, error)) {
    return nullptr;
  }
  if (parsed.options.count("word-bits")) {
    const std::string& bits = parsed.options.at("word-bits");
    if (bits != "8" && bits != "16") {
      error = "--word-bits must be 8 or 16";
      return nullptr;
    }
    choice.wordBits = std::stoi(bits);
  }
  const FileFormat& entry = *FindFileFormat(*format);
  if (entry.needsCellSize && (!choice.width || !choice.height)) {
    error = FormatName(*format) + " input needs --width and --height";
    return nullptr;
  }
  const bool keepCodes = parsed.flags.count("keep-codes") > 0;
  if (!TakeBitmapOptions(parsed, *format, keepCodes, choice.bitmap, error) ||
      !TakeKeepCodes(parsed, *format, choice.bitmap, faces, error)) {
    return nullptr;
  }
  if (entry.bitmapFont) {
    // 0 takes the font's own size.
    choice.width = choice.width.value_or(0);
    choice.height = choice.height.value_or(0);
  }

  prompt.SetImportChoice(choice);
  prompt.SetFaceChoice(faces);
  std::error_code ignored;
  ImportCommand command(std::filesystem::current_path(ignored).string());
  // A command-line run has no other font set open.
  if (!command.Run(app, prompt, [](const std::string&) { return false; })) return nullptr;
  if (entry.bitmapFont || keepCodes) prompt.Note(BitmapImportSummary(app.importRequest.bitmapCounts));
  return OpenImportedFontSet(app, prompt);
}

std::unique_ptr<CDotforgeImportDoc> OpenFontForText(const ParsedArguments& parsed, AppValues& app, CliPrompt& prompt,
                                                    std::string& error) {
  ParsedArguments fontArguments = parsed;
  fontArguments.options.erase("encoding");
  return OpenInputFile(parsed.positional[0], fontArguments, app, prompt, error);
}

}  // namespace dotforge::cli
