#include "edit/grid_point.h"

#include <algorithm>

namespace dotforge {

DotRect RectBetween(GridPoint a, GridPoint b) {
  const std::int32_t left = std::min(a.column, b.column);
  const std::int32_t top = std::min(a.row, b.row);
  return DotRect{left, top, std::max(a.column, b.column) - left + 1, std::max(a.row, b.row) - top + 1};
}

DotRect ClipRect(DotRect rect, std::int32_t width, std::int32_t height) {
  if (rect.Empty()) return {};
  const std::int64_t left = std::max<std::int64_t>(rect.column, 0);
  const std::int64_t top = std::max<std::int64_t>(rect.row, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{rect.column} + rect.width, width);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{rect.row} + rect.height, height);
  if (right <= left || bottom <= top) return {};
  return DotRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                 static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

}  // namespace dotforge
