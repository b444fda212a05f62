#include "edit/flood_fill.h"

#include <vector>

namespace dotforge {

void FloodFill(PixelGrid& grid, GridPoint seed, std::uint8_t value) {
  if (!grid.Contains(seed.column, seed.row)) return;
  const std::uint8_t area = grid.At(seed.column, seed.row);
  if (area == value) return;
  // Each dot is changed when it is put on the list, so it is listed only once.
  std::vector<GridPoint> pending{seed};
  grid.Set(seed.column, seed.row, value);
  while (!pending.empty()) {
    const GridPoint dot = pending.back();
    pending.pop_back();
    const GridPoint neighbours[] = {{dot.column - 1, dot.row},
                                    {dot.column + 1, dot.row},
                                    {dot.column, dot.row - 1},
                                    {dot.column, dot.row + 1}};
    for (const GridPoint& next : neighbours) {
      if (!grid.Contains(next.column, next.row) || grid.At(next.column, next.row) != area) continue;
      grid.Set(next.column, next.row, value);
      pending.push_back(next);
    }
  }
}

}  // namespace dotforge
