#include "cli/firmware_flags.h"

#include "formats/codepages/code_ranges.h"
#include "formats/firmware/firmware_options.h"
#include "model/side_format.h"

namespace dotforge::cli {
namespace {

bool TakeCArrayOptions(ParsedArguments& parsed, CArrayDialogOptions& rows, std::string& error) {
  if (parsed.options.count("layout")) {
    const std::optional<DotLayout> layout = LayoutNamed(parsed.options.at("layout"));
    if (!layout) {
      error = "--layout must be rows or columns";
      return false;
    }
    rows.columns = *layout == DotLayout::Columns;
  }
  if (parsed.options.count("bit-order")) {
    const std::optional<BitOrder> order = BitOrderNamed(parsed.options.at("bit-order"));
    if (!order) {
      error = "--bit-order must be msb or lsb";
      return false;
    }
    rows.lsbFirst = *order == BitOrder::Lsb;
  }
  rows.invert = parsed.flags.count("invert") > 0;
  rows.art = parsed.flags.count("art") > 0;
  return true;
}

}  // namespace

const std::set<std::string>& FirmwareOptions() {
  static const std::set<std::string> options{"layout", "bit-order"};
  return options;
}

const std::set<std::string>& FirmwareFlags() {
  static const std::set<std::string> flags{"invert", "art"};
  return flags;
}

const char* FirmwareOptionsHelp() {
  return "firmware headers (gfx, carray; NAME is OUT's name made a C identifier):\n"
         "  --codes LIST       gfx: write only these codes, e.g. 20-7E (also chooses the\n"
         "                     codes of bitmap font input)\n"
         "  --layout rows|columns  carray: each row's dots left to right (default), or\n"
         "                     each column's top to bottom in bytes of 8 rows\n"
         "  --bit-order msb|lsb  carray: the bit of a byte that holds its first dot\n"
         "  --invert           carray: a 1 bit is a white dot\n"
         "  --art              carray: a comment draws each glyph in # and .\n";
}

bool TakeFirmwareOptions(int outputFormat, bool bitmapInput, ParsedArguments& parsed, FileChoice& choice,
                         std::string& error) {
  const bool carray = outputFormat == kFormatCArray;
  const bool layoutGiven = parsed.options.count("layout") || parsed.options.count("bit-order") ||
                           parsed.flags.count("invert") || parsed.flags.count("art");
  if (layoutGiven && !carray) {
    error = "--layout, --bit-order, --invert and --art apply to carray output only";
    return false;
  }
  if (carray && !TakeCArrayOptions(parsed, choice.carray, error)) return false;
  // The input is read without them.
  for (const std::string& name : FirmwareOptions()) parsed.options.erase(name);
  for (const std::string& name : FirmwareFlags()) parsed.flags.erase(name);
  if (outputFormat != kFormatGfx || !parsed.options.count("codes")) return true;
  if (!ParseCodeRanges(parsed.options.at("codes"))) {
    error = "--codes must be hexadecimal codes and ranges such as 20-7E,A0-FF";
    return false;
  }
  choice.codes = parsed.options.at("codes");
  if (!bitmapInput) parsed.options.erase("codes");
  return true;
}

}  // namespace dotforge::cli
