#pragma once
// The one-shot row and column modes of the editor and the pen flag.

#include <cstdint>

#include "edit/pixel_grid.h"

namespace dotforge {

struct EditModes {
  bool addRow = false;
  bool addColumn = false;
  bool deleteRow = false;
  bool deleteColumn = false;
  bool pen = true;  // only chooses the mouse cursor

  bool AnyRowOrColumnMode() const { return addRow || addColumn || deleteRow || deleteColumn; }
};

// One press at (column, row): every mode that is on acts, in the order Add Row,
// Add Column, Delete Row, Delete Column; then all four are off again.
void ApplyModeClick(PixelGrid& grid, EditModes& modes, std::int32_t column, std::int32_t row);

}  // namespace dotforge
