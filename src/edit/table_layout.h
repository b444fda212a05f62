#pragma once
// Geometry of the character table: every character's cell in canvas pixels, and
// which character a navigation key moves the selection to.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/font_set.h"

namespace dotforge {

inline constexpr std::int32_t kTableMargin = 10;
inline constexpr std::int32_t kTableGap = 10;
inline constexpr std::int32_t kLabelBand = 18;
inline constexpr std::int32_t kCellsPerRow = 16;

struct TableGeometry {
  std::int32_t cellWidth;
  std::int32_t cellHeight;
  std::int32_t pitchX;
  std::int32_t pitchY;
};

TableGeometry TableGeometryFor(std::int32_t fontWidth, std::int32_t fontHeight, bool doubleSize);

// The cell of the character at `index` in list order.
Rect TableCell(const TableGeometry& geometry, std::size_t index);

// How many characters the table shows: `characterCount`, bounded by the list.
std::size_t TableCount(const CDotforgeImportDoc& doc);

struct CanvasSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Stores the cell of every shown character as its `cellRect`, so no rectangle
// is ever left over from an earlier layout, and returns the canvas size.
CanvasSize LayOutTable(CDotforgeImportDoc& doc, bool doubleSize);

enum class TableKey { Right, Left, Down, Up, PageDown, PageUp, Home, End };

// The index the key moves the current character to among `count` characters;
// nothing when the key does not move it.
std::optional<std::size_t> TableKeyTarget(TableKey key, std::size_t current, std::size_t count);

}  // namespace dotforge
