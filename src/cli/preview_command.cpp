#include <string>

#include "cli/commands.h"
#include "cli/input_file.h"
#include "escpos/png_writer.h"
#include "model/file_access.h"
#include "preview/preview_messages.h"
#include "preview/preview_render.h"
#include "preview/text_preview.h"

namespace dotforge::cli {
namespace {

constexpr const char* kPreviewHelp =
    "usage: dotforge-cli preview FONTFILE --text TEXT [--encoding NAME] [--zoom N] -o OUT.png\n"
    "\n"
    "Draws TEXT with the font set's characters as a PNG picture, black on white: each\n"
    "dot a square of N x N pixels, one cell per character, one row of cells per line.\n"
    "A character the set does not hold is drawn as the outline of a cell.\n"
    "\n"
    "options:\n"
    "  --text TEXT        the text (UTF-8); \\xHH or \\xHHHH puts that code directly,\n"
    "                     \\n starts a new line, \\\\ is a backslash\n"
    "  --encoding NAME    how TEXT becomes codes: a code page as iconv names it, for\n"
    "                     single-byte sets CP437 (the default), CP850, CP858, CP1252,\n"
    "                     ISO-8859-1, ISO-8859-2, ISO-8859-15, ...; for double-byte sets\n"
    "                     UTF-16 (the default, code units), SHIFT_JIS, GB18030, GBK, BIG5,\n"
    "                     EUC-KR (a two-byte code such as 0x8140, a single byte stays one)\n"
    "  --zoom N           pixels per dot, 1..8 (default 1)\n"
    "  -o, --output OUT   the PNG file to write\n"
    "Exit status: 0 when the picture was written, 1 when opening the font file or\n"
    "writing the picture failed or the picture would be too large, 2 for a usage error.\n"
    "font file options (except --encoding, which is the text's encoding here):\n";

std::optional<PreviewRequest> RequestFrom(const ParsedArguments& parsed, std::string& error) {
  PreviewRequest request;
  if (!parsed.options.count("text") || parsed.options.at("text").empty()) {
    error = "preview needs --text with at least one character";
    return std::nullopt;
  }
  request.text = parsed.options.at("text");
  if (parsed.options.count("encoding")) {
    request.encoding = parsed.options.at("encoding");
    if (request.encoding.empty()) {
      error = "--encoding needs an encoding name such as CP437";
      return std::nullopt;
    }
  }
  if (parsed.options.count("zoom")) {
    const std::optional<int> zoom = IntegerOption(parsed, "zoom", kMinPreviewZoom, kMaxPreviewZoom, error);
    if (!zoom) return std::nullopt;
    request.zoom = *zoom;
  }
  return request;
}

int Run(const ParsedArguments& parsed, std::ostream& err) {
  std::string error;
  const std::optional<PreviewRequest> request = RequestFrom(parsed, error);
  if (!request) return UsageError(err, "preview", error);
  if (!parsed.options.count("output") || parsed.options.at("output").empty()) {
    return UsageError(err, "preview", "preview needs -o OUT.png");
  }
  CliPrompt prompt(err);
  AppValues app;
  const auto doc = OpenFontForText(parsed, app, prompt, error);
  if (!doc) return error.empty() ? kExitReported : UsageError(err, "preview", error);
  if (prompt.MessageCount() > 0) return kExitReported;

  const PreviewPicture picture = MakePreview(*doc, *request);
  if (!picture.image) {
    // A text or encoding the user typed is a usage error; a picture too large is not.
    if (picture.failure != PreviewFailure::TooLarge) return UsageError(err, "preview", picture.error);
    err << "dotforge-cli: " << picture.error << '\n';
    return kExitReported;
  }
  Bytes png;
  const std::string& path = parsed.options.at("output");
  if (!EncodePng(*picture.image, png)) {
    err << "dotforge-cli: " << msg::FormatMessage(msg::kPreviewPngFailed, {path}) << '\n';
    return kExitReported;
  }
  return SaveFontFile(path, png, prompt) ? kExitOk : kExitReported;
}

}  // namespace

int RunPreview(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::set<std::string> options = InputOptions();
  options.insert({"text", "zoom", "output"});
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(WithLongOutput(arguments), options, error);
  if (!parsed) return UsageError(err, "preview", error);
  if (parsed->help) {
    out << kPreviewHelp << InputOptionsHelp();
    return kExitOk;
  }
  if (parsed->positional.size() != 1) return UsageError(err, "preview", "preview needs exactly one FONTFILE");
  return Run(*parsed, err);
}

}  // namespace dotforge::cli
