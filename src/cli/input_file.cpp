#include "cli/input_file.h"

#include <filesystem>

#include "cli/format_names.h"
#include "formats/import_command.h"

namespace dotforge::cli {
namespace {

constexpr int kMaxCellSide = 255;
constexpr int kMaxIndex = 0xFFFF;

// Sets `target` from an integer option when it is given; false after a usage error.
bool TakeInteger(const ParsedArguments& parsed, const std::string& name, int low, int high, std::optional<int>& target,
                 std::string& error) {
  if (!parsed.options.count(name)) return true;
  target = IntegerOption(parsed, name, low, high, error);
  return target.has_value();
}

std::optional<int> InputFormat(const std::string& file, const ParsedArguments& parsed, std::string& error) {
  if (parsed.options.count("from")) {
    const std::optional<int> format = FormatFromName(parsed.options.at("from"));
    if (!format) error = "unknown format '" + parsed.options.at("from") + "' (known: " + FormatNameList() + ")";
    return format;
  }
  const std::optional<int> format = FormatFromExtension(file);
  if (!format) error = "cannot tell the format of " + file + " from its extension: use --from";
  return format;
}

}  // namespace

const std::set<std::string>& InputOptions() {
  static const std::set<std::string> options{"from", "width", "height", "word-bits", "face", "charmap"};
  return options;
}

const char* InputOptionsHelp() {
  return "  --from FMT         read the input as FMT instead of guessing from its extension\n"
         "  --width W          cell width in dots for st10, st9, asm and ttf input (1..255)\n"
         "  --height H         cell height in dots for st10, st9, asm and ttf input (1..255)\n"
         "  --word-bits 8|16   data word width of st10 files (default 8)\n"
         "  --face N           face of an outline font file (default 0; see 'faces')\n"
         "  --charmap N        character map of that face (default: its Unicode map)\n";
}

std::unique_ptr<CDotforgeImportDoc> OpenInputFile(const std::string& file, const ParsedArguments& parsed,
                                                  AppValues& app, CliPrompt& prompt, std::string& error) {
  const std::optional<int> format = InputFormat(file, parsed, error);
  if (!format) return nullptr;

  FileChoice choice{file, *format, {}, {}, {}, {}};
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
  if (NeedsCellSize(*format) && (!choice.width || !choice.height)) {
    error = FormatName(*format) + " input needs --width and --height";
    return nullptr;
  }

  prompt.SetImportChoice(choice);
  prompt.SetFaceChoice(faces);
  std::error_code ignored;
  ImportCommand command(std::filesystem::current_path(ignored).string());
  // A command-line run has no other font set open.
  if (!command.Run(app, prompt, [](const std::string&) { return false; })) return nullptr;
  return OpenImportedFontSet(app, prompt);
}

}  // namespace dotforge::cli
