#include "edit/table_layout.h"

#include <algorithm>

namespace dotforge {
namespace {

constexpr std::size_t kPageCharacters = 160;

}  // namespace

TableGeometry TableGeometryFor(std::int32_t fontWidth, std::int32_t fontHeight, bool doubleSize) {
  const std::int32_t width = doubleSize ? 2 * fontWidth + 50 : fontWidth + 25;
  const std::int32_t height = doubleSize ? 2 * fontHeight + 86 : fontHeight + 43;
  return {width, height, width + kTableGap, height + kTableGap};
}

Rect TableCell(const TableGeometry& geometry, std::size_t index) {
  const auto column = static_cast<std::int32_t>(index % kCellsPerRow);
  const auto row = static_cast<std::int32_t>(index / kCellsPerRow);
  const std::int32_t left = kTableMargin + column * geometry.pitchX;
  const std::int32_t top = kTableMargin + row * geometry.pitchY;
  return {left, top, left + geometry.cellWidth, top + geometry.cellHeight};
}

std::size_t TableCount(const CDotforgeImportDoc& doc) {
  return std::min(doc.characters.size(), static_cast<std::size_t>(std::max(doc.characterCount, 0)));
}

CanvasSize LayOutTable(CDotforgeImportDoc& doc, bool doubleSize) {
  const TableGeometry geometry = TableGeometryFor(doc.width, doc.height, doubleSize);
  const std::size_t count = TableCount(doc);
  for (std::size_t i = 0; i < count; ++i) doc.characters[i]->cellRect = TableCell(geometry, i);
  if (count == 0) return {};
  const Rect widest = TableCell(geometry, std::min<std::size_t>(count, kCellsPerRow) - 1);
  const Rect last = TableCell(geometry, count - 1);
  return {widest.right + kTableMargin, last.bottom + kTableMargin};
}

std::optional<std::size_t> TableKeyTarget(TableKey key, std::size_t current, std::size_t count) {
  if (current >= count) return std::nullopt;
  const std::size_t following = count - 1 - current;
  switch (key) {
    case TableKey::Right:
      return following > 0 ? std::optional(current + 1) : std::nullopt;
    case TableKey::Left:
      return current > 0 ? std::optional(current - 1) : std::nullopt;
    case TableKey::Down:
      return following > 0 ? std::optional(current + std::min<std::size_t>(kCellsPerRow, following)) : std::nullopt;
    case TableKey::Up:
      return current >= kCellsPerRow ? std::optional(current - kCellsPerRow) : std::nullopt;
    case TableKey::PageDown:
      return following >= kPageCharacters ? std::optional(current + kPageCharacters) : std::nullopt;
    case TableKey::PageUp:
      return current >= kPageCharacters ? std::optional(current - kPageCharacters) : std::nullopt;
    case TableKey::Home:
      return current != 0 ? std::optional<std::size_t>(0) : std::nullopt;
    case TableKey::End:
      return following > 0 ? std::optional(count - 1) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace dotforge
