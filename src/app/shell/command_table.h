#pragma once
// Every command's string-table entry ("status prompt\ntool tip") and the icon
// its toolbar button shows, in one table.

#include <span>
#include <string>

namespace dotforge {

enum class CommandIcon {
  None, New, Open, Save, Copy, Paste, Edit, Add, Delete, DoubleSize, Download, Properties,
  PenEdit, ClearEdit, ShiftUp, ShiftDown, ShiftLeft, ShiftRight, Rotate, AddRow, AddColumn,
  DeleteRow, DeleteColumn, ZoomIn, ZoomOut, ReferenceLine, Undo, Redo,
  Cut, FlipHorizontal, FlipVertical, Invert, RotateLeft, RotateRight,
  Line, Rectangle, FilledRectangle, Ellipse, FloodFill, Select,
};

struct CommandInfo {
  int id;
  const char* strings;  // "status prompt\ntool tip"
  CommandIcon icon;
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);

// The text before the string-table entry's newline, or the whole entry.
std::string StatusPrompt(int id);
// The text after the newline; empty when the entry has none.
std::string ToolTip(int id);

inline constexpr const char* kIdlePrompt = "Ready";

}  // namespace dotforge
