#pragma once
// How the firmware exports lay out their dots: the C array's layout, bit order,
// inversion and glyph pictures, and the GFX font's baseline and codes. The names
// are the words the command line takes and the C array's top comment carries.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/dialog_requests.h"
#include "model/app_values.h"

namespace dotforge {

enum class DotLayout {
  Rows,     // each row's dots left to right, a new byte at each row's start
  Columns,  // each column's dots top to bottom in bytes of 8 rows, columns left to right
};

enum class BitOrder {
  Msb,  // the first dot of a byte in its most significant bit
  Lsb,  // the first dot of a byte in its least significant bit
};

struct CArrayOptions {
  DotLayout layout = DotLayout::Rows;
  BitOrder bitOrder = BitOrder::Msb;
  bool invert = false;  // a 1 bit is a white dot
  bool art = false;     // each glyph preceded by a comment drawing it
  bool operator==(const CArrayOptions&) const = default;
};

struct GfxOptions {
  std::optional<std::int32_t> baseline;  // cell rows above the baseline; unset: the set's own
  std::vector<CodeRange> codes;          // the codes written; empty writes every code
};

// The words of a C array file: the keys of its top comment, each followed by the
// option's value, and the endings of its defines and arrays after NAME.
inline constexpr std::string_view kLayoutKey = "layout:";
inline constexpr std::string_view kBitOrderKey = "bit order:";
inline constexpr std::string_view kInvertKey = "invert:";
inline constexpr std::string_view kArtKey = "art:";
inline constexpr std::string_view kYes = "yes";
inline constexpr std::string_view kNo = "no";
inline constexpr std::string_view kWidthSuffix = "_WIDTH";
inline constexpr std::string_view kHeightSuffix = "_HEIGHT";
inline constexpr std::string_view kBytesPerCharSuffix = "_BYTES_PER_CHAR";
inline constexpr std::string_view kCountSuffix = "_COUNT";
inline constexpr std::string_view kCodesSuffix = "_codes";
inline constexpr std::string_view kDataSuffix = "_data";

// The options the export dialog's C array rows stand for.
CArrayOptions CArrayOptionsOf(const CArrayDialogOptions& rows);

// "rows", "columns"; "msb", "lsb".
std::string_view LayoutName(DotLayout layout);
std::string_view BitOrderName(BitOrder order);
// The value a name stands for; nothing for another word.
std::optional<DotLayout> LayoutNamed(std::string_view name);
std::optional<BitOrder> BitOrderNamed(std::string_view name);

}  // namespace dotforge
