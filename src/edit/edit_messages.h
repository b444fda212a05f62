#pragma once
// The names the editor's and the font-wide changes give their steps in a font
// set's history, as the Undo and Redo commands show them.

namespace dotforge::msg {

inline constexpr const char* kStepStroke = "Stroke";
inline constexpr const char* kStepShift = "Shift";
inline constexpr const char* kStepClearEdit = "Clear Edit";
inline constexpr const char* kStepAddRow = "Add Row";
inline constexpr const char* kStepAddColumn = "Add Column";
inline constexpr const char* kStepDeleteRow = "Delete Row";
inline constexpr const char* kStepDeleteColumn = "Delete Column";
inline constexpr const char* kStepRowsAndColumns = "Rows and Columns";
inline constexpr const char* kStepShiftFont = "Shift Font";
inline constexpr const char* kStepRotateFont = "Rotate Font";

}  // namespace dotforge::msg
