#include <cstdlib>
#include <string_view>

#include "formats/codepages/code_ranges.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/commands/import_command.h"

namespace {

constexpr int kPsfPosition = 12;

// Every parsed range runs upwards and holds its own ends.
void CheckRanges(std::string_view text) {
  using namespace dotforge;
  const auto ranges = dotforge::ParseCodeRanges(text);
  if (!ranges) return;
  for (const CodeRange& range : *ranges) {
    if (range.first > range.last || !InCodeRanges(*ranges, range.first) || !InCodeRanges(*ranges, range.last)) {
      std::abort();
    }
  }
}

// The Open dialog's bitmap font boxes holding the text: what passes its check
// becomes import options without a lost subset or a baseline out of range.
void CheckDialogBoxes(std::string_view text) {
  using namespace dotforge;
  ImportFileDialogState state(ImportTypeList(), "*.PSF", 0, 0, 8);
  if (state.Type() != kPsfPosition) std::abort();
  const std::string typed(text);
  if (state.Confirm("0", "0", {typed, "", typed, 0})) return;
  const BitmapImportOptions options = BitmapImportOptionsOf(state.Bitmap());
  if (state.Bitmap().codes.empty() != options.codes.empty()) std::abort();
  if (options.baseline && (*options.baseline < 1 || *options.baseline > 255)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRanges(text);
  CheckDialogBoxes(text);
  return 0;
}
