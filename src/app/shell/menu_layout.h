#pragma once
// The three menu bars of the main window (128: no document, 129: a font set
// window active, 130: an editor window active), the font set's context menu, the
// toolbars and the accelerators, as data.

#include <span>
#include <string_view>
#include <vector>

namespace dotforge {

inline constexpr int kSeparator = 0;

struct MenuItem {
  int id;  // kSeparator for a separator
  const char* text;
};

struct PopupMenu {
  const char* title;
  std::vector<MenuItem> items;
};

enum class MenuBarKind { NoDocument = 128, FontSet = 129, Editor = 130 };

const std::vector<PopupMenu>& MenuBar(MenuBarKind kind);
// The font set table's context menu ("Click").
const std::vector<MenuItem>& ContextMenu();

// Toolbar buttons in order; kSeparator between groups.
std::span<const int> TopToolbar();
std::span<const int> LeftToolbar();
// The editor's drawing tools and whole-glyph commands.
std::span<const int> GlyphToolbar();

struct Accelerator {
  const char* keys;  // in QKeySequence's portable text form
  int id;
};
std::span<const Accelerator> Accelerators();

}  // namespace dotforge
