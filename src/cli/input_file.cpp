#include "cli/input_file.h"

#include <filesystem>

#include "cli/format_names.h"
#include "model/open_font_set.h"

namespace dotforge::cli {

const std::set<std::string>& InputOptions() {
  static const std::set<std::string> options{"from", "width", "height", "word-bits"};
  return options;
}

const char* InputOptionsHelp() {
  return "  --from FMT         read the input as FMT instead of guessing from its extension\n"
         "  --width W          cell width in dots for source formats (1..255)\n"
         "  --height H         cell height in dots for source formats (1..255)\n"
         "  --word-bits 8|16   data word width of source formats (default 8)\n";
}

std::unique_ptr<CDotforgeImportDoc> OpenInputFile(const std::string& file, const ParsedArguments& parsed,
                                                  Prompt& prompt, std::string& error) {
  ImportRequest request;
  request.fileName = file;
  std::optional<int> format;
  if (parsed.options.count("from")) {
    format = FormatFromName(parsed.options.at("from"));
    if (!format) error = "unknown format '" + parsed.options.at("from") + "' (known: " + FormatNameList() + ")";
  } else {
    format = FormatFromExtension(file);
    if (!format) error = "cannot tell the format of " + file + " from its extension: use --from";
  }
  if (!format) return nullptr;
  request.importType = *format;

  const std::pair<const char*, std::int32_t*> sizes[] = {{"width", &request.width}, {"height", &request.height}};
  for (const auto& [name, target] : sizes) {
    if (!parsed.options.count(name)) continue;
    const std::optional<int> value = IntegerOption(parsed, name, 1, 255, error);
    if (!value) return nullptr;
    *target = *value;
  }
  if (parsed.options.count("word-bits")) {
    const std::string& bits = parsed.options.at("word-bits");
    if (bits != "8" && bits != "16") {
      error = "--word-bits must be 8 or 16";
      return nullptr;
    }
    request.wordBits = std::stoi(bits);
  }

  auto doc = std::make_unique<CDotforgeImportDoc>();
  OpenFontSet(*doc, request, prompt);
  doc->SetTitle(std::filesystem::path(file).filename().string());
  doc->SetPathName(file);
  return doc;
}

}  // namespace dotforge::cli
