#pragma once
// The character editor document: edits one character of an open font set in its
// own pixel grid and writes the grid back into the character's record. It never
// owns the glyph; it finds its character again through its font set and label.

#include <cstdint>
#include <string>

#include "edit/dot_selection.h"
#include "edit/edit_modes.h"
#include "edit/glyph_shapes.h"
#include "edit/grid_operations.h"
#include "edit/grid_point.h"
#include "edit/pixel_grid.h"
#include "framework/document.h"
#include "model/font_set.h"

namespace dotforge {

// What the application hands to a new editor.
struct PendingEdit {
  CDotforgeImportDoc* fontSet = nullptr;
  std::string title;  // font set title, " : ", the character's label
  const Bytes* bitmap = nullptr;
  std::int32_t height = 0;
  std::int32_t width = 0;
};

// The whole-glyph commands of the Glyph menu.
enum class GlyphTransform { FlipHorizontal, FlipVertical, Invert, RotateLeft, RotateRight };

// The editor title of a character: "<font set title> : <label>".
std::string EditorTitle(const CDotforgeImportDoc& fontSet, const CharacterRecord& record);

class CDotforgeEditDoc : public CDocument {
 public:
  static constexpr const char* kDocumentType = "DotforgeEdit";

  // Copies the hand-over values and builds the grid from the bitmap at once, so
  // the editor keeps no reference to a bitmap that may be freed later.
  explicit CDotforgeEditDoc(const PendingEdit& pending);

  CDotforgeImportDoc& FontSet() const { return *fontSet_; }
  // The label of the character, taken from the title the editor was opened with.
  const std::string& Label() const { return label_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  PixelGrid& Grid() { return grid_; }
  const PixelGrid& Grid() const { return grid_; }
  const EditModes& Modes() const { return modes_; }

  // Editor commands. Shifts, Clear Edit and switching Add Row or Add Column write
  // back; the delete modes and the pen only change the edit state.
  void ShiftArea(ShiftDirection direction);
  void ClearEdit();
  void ToggleAddRow();
  void ToggleAddColumn();
  void ToggleDeleteRow();
  void ToggleDeleteColumn();
  void TogglePen();

  // Whether `transform` applies to this glyph: the quarter turns need a square cell.
  bool CanTransform(GlyphTransform transform) const;
  // Drops any selection, changes the whole glyph and writes back as one step.
  void Transform(GlyphTransform transform);
  // Draws `shape` between the dots `from` and `to` in `value`, clipped at the
  // cell, and writes back as one step.
  void DrawShape(ShapeKind shape, GridPoint from, GridPoint to, std::uint8_t value);
  // Fills the area of one colour around `seed` with `value`; one step.
  void Fill(GridPoint seed, std::uint8_t value);

  // The region select. Marking and dropping change no dots; every move, cut,
  // paste and delete that changes dots writes back as one step.
  const DotSelection& Selection() const { return selection_; }
  void Select(DotRect area);
  void DropSelection();
  // Moves the selection's top-left dot to `at` and repaints without writing back
  // (a drag in progress); FinishMove writes the move back.
  void MoveSelectionTo(GridPoint at);
  void FinishMove();
  // A move by whole dots, written back at once (an arrow key).
  void MoveSelectionBy(std::int32_t columns, std::int32_t rows);
  // The selected dots, or the whole glyph without a selection.
  PixelGrid SelectedDots() const;
  // The selected dots turn white and the selection ends.
  void DeleteSelection();
  // The selected dots, which then turn white as one "Cut" step.
  PixelGrid CutSelection();
  // Puts `dots` down as a floating selection at the current selection's
  // top-left dot, or at the cell's top-left without one, clipped at the cell.
  void Paste(PixelGrid dots);

  // A left-button press at a grid position: applies the modes that are on and
  // repaints. False, with nothing done, when no row or column mode is on.
  bool ModeClick(std::int32_t column, std::int32_t row);

  // Packs the grid into the font set's character of this label, marks the font
  // set modified and repaints both documents. Does nothing when no character has
  // the label any more. A glyph that changed is one step of the font set's
  // history, named after what changed the grid since the last write-back (a
  // stroke, unless a mode click did); a glyph whose dots are unchanged adds no
  // step (packing only clears the padding bits after each row's last dot).
  void WriteBack();

  // Takes the grid again from the character (after an undo or redo changed it),
  // drops any selection and repaints. The character must have the editor's size.
  void ReloadGrid(const CharacterRecord& record);

  // Before the editor closes: its character is no longer open in an editor.
  void ReleaseCharacter();

  // The font set's character of this label, first in list order; none if it is gone.
  CharacterRecord* FindCharacter() const;

  // Takes the font set's current title into its own (after the set was saved
  // under another name). True when the title changed.
  bool FollowFontSetTitle();

 private:
  void WriteBackAs(const char* stepName);

  CDotforgeImportDoc* fontSet_;
  std::string label_;
  std::int32_t width_;
  std::int32_t height_;
  PixelGrid grid_;
  EditModes modes_;
  DotSelection selection_;
  // The step name of the grid change the next write-back takes to the font set.
  const char* pendingStep_;
};

}  // namespace dotforge
