#include "formats/firmware/firmware_options.h"

namespace dotforge {
namespace {

constexpr std::string_view kRows = "rows";
constexpr std::string_view kColumns = "columns";
constexpr std::string_view kMsb = "msb";
constexpr std::string_view kLsb = "lsb";

}  // namespace

CArrayOptions CArrayOptionsOf(const CArrayDialogOptions& rows) {
  return {rows.columns ? DotLayout::Columns : DotLayout::Rows, rows.lsbFirst ? BitOrder::Lsb : BitOrder::Msb,
          rows.invert, rows.art};
}

std::string_view LayoutName(DotLayout layout) { return layout == DotLayout::Rows ? kRows : kColumns; }

std::string_view BitOrderName(BitOrder order) { return order == BitOrder::Msb ? kMsb : kLsb; }

std::optional<DotLayout> LayoutNamed(std::string_view name) {
  if (name == kRows) return DotLayout::Rows;
  if (name == kColumns) return DotLayout::Columns;
  return std::nullopt;
}

std::optional<BitOrder> BitOrderNamed(std::string_view name) {
  if (name == kMsb) return BitOrder::Msb;
  if (name == kLsb) return BitOrder::Lsb;
  return std::nullopt;
}

}  // namespace dotforge
