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
inline constexpr const char* kStepFlipHorizontal = "Flip Horizontal";
inline constexpr const char* kStepFlipVertical = "Flip Vertical";
inline constexpr const char* kStepInvert = "Invert";
inline constexpr const char* kStepRotateLeft = "Rotate Left";
inline constexpr const char* kStepRotateRight = "Rotate Right";
inline constexpr const char* kStepLine = "Line";
inline constexpr const char* kStepRectangle = "Rectangle";
inline constexpr const char* kStepFilledRectangle = "Filled Rectangle";
inline constexpr const char* kStepEllipse = "Ellipse";
inline constexpr const char* kStepFloodFill = "Flood Fill";
inline constexpr const char* kStepMove = "Move";
inline constexpr const char* kStepCut = "Cut";
inline constexpr const char* kStepPaste = "Paste";
inline constexpr const char* kStepDelete = "Delete";

}  // namespace dotforge::msg
