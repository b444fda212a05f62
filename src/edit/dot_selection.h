#pragma once
// A rectangle of selected dots in an editor's grid. A marked selection only
// names dots of the grid; once moved (or pasted) it floats: its dots are carried
// apart from the grid they were lifted off, and the grid shows them stamped at
// the selection's place over what lies beneath. The grid therefore always holds
// what the user sees, and dropping a floating selection leaves it as it is.

#include <cstdint>

#include "edit/grid_point.h"
#include "edit/pixel_grid.h"

namespace dotforge {

class DotSelection {
 public:
  bool Active() const { return active_; }
  bool Floating() const { return floating_; }
  // The selection's place and size; empty when nothing is selected.
  DotRect Area() const { return active_ ? area_ : DotRect{}; }

  // Selects the dots of `area` that lie inside `grid` (nothing when none do).
  void Mark(const PixelGrid& grid, DotRect area);
  // Makes `dots` a floating selection with its top-left dot at `at`, stamped on
  // `grid`; parts outside the grid stay with the selection but are not shown.
  void Float(PixelGrid& grid, PixelGrid dots, GridPoint at);
  // Moves the selection's top-left dot to `at` (lifting a marked selection
  // first, which leaves white dots behind it). The selection keeps at least one
  // dot over the grid.
  void MoveTo(PixelGrid& grid, GridPoint at);
  // The selected dots: the floating ones, or those of `grid` under the area.
  PixelGrid Dots(const PixelGrid& grid) const;
  // The selected dots turn white (a floating selection leaves what lay beneath)
  // and the selection ends.
  void Erase(PixelGrid& grid);
  // Ends the selection; the grid keeps what it shows.
  void Drop();

 private:
  void Lift(const PixelGrid& grid);

  bool active_ = false;
  bool floating_ = false;
  DotRect area_;
  PixelGrid dots_;  // floating: the selected dots
  PixelGrid base_;  // floating: the grid as it is without them
};

// The dots of `grid` under `area`, which must lie inside the grid.
PixelGrid CopyArea(const PixelGrid& grid, DotRect area);
// Sets the dots of `dots` on `grid` with their top-left at `at`, white ones too;
// what falls outside the grid is left out.
void StampDots(PixelGrid& grid, const PixelGrid& dots, GridPoint at);

}  // namespace dotforge
