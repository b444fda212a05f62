#include "edit/edit_modes.h"

#include "edit/grid_operations.h"

namespace dotforge {

void ApplyModeClick(PixelGrid& grid, EditModes& modes, std::int32_t column, std::int32_t row) {
  if (modes.addRow) AddRow(grid, row);
  if (modes.addColumn) AddColumn(grid, column);
  if (modes.deleteRow) DeleteRow(grid, row);
  if (modes.deleteColumn) DeleteColumn(grid, column);
  modes.addRow = modes.addColumn = modes.deleteRow = modes.deleteColumn = false;
}

}  // namespace dotforge
