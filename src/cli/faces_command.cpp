#include <string>

#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/cli_options.h"
#include "formats/outline/outline_font_importer.h"

namespace dotforge::cli {
namespace {

constexpr const char* kFacesHelp =
    "usage: dotforge-cli faces FONTFILE\n"
    "\n"
    "Lists what the \"TrueType Font Faces\" dialog offers for an outline font file\n"
    "(any file FreeType opens): one line \"face N: family - style\" per face, then\n"
    "one line \"  charmap M: name\" per character map of that face. N and M are the\n"
    "values of --face and --charmap.\n"
    "Exit status: 0, 1 when the file cannot be read, 2 for a usage error.\n";

}  // namespace

int RunFaces(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {}, error);
  if (!parsed) return UsageError(err, "faces", error);
  if (parsed->help) {
    out << kFacesHelp;
    return kExitOk;
  }
  if (parsed->positional.size() != 1) return UsageError(err, "faces", "faces needs exactly one FONTFILE");

  CliPrompt prompt(err);
  // The cell size does not matter for listing.
  OutlineFontImporter importer(1, 1);
  if (!importer.OpenFontFile(parsed->positional[0], prompt)) return kExitReported;
  const FontFacesRequest contents = importer.FacesDialogContents();
  for (std::size_t face = 0; face < contents.faces.size(); ++face) {
    out << "face " << face << ": " << contents.faces[face] << '\n';
    const std::vector<std::string>& maps = contents.charmaps[face];
    for (std::size_t map = 0; map < maps.size(); ++map) out << "  charmap " << map << ": " << maps[map] << '\n';
  }
  return kExitOk;
}

}  // namespace dotforge::cli
