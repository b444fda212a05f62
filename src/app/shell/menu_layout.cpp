#include "app/shell/menu_layout.h"

#include <array>

#include "app/shell/command_ids.h"

namespace dotforge {
namespace {

using namespace cmd;

const MenuItem kSep{kSeparator, ""};

PopupMenu FileMenu(bool fontSet) {
  if (!fontSet) return {"&File", {{kNewFont, "&New\tCtrl+N"}, {kOpen, "Open"}, kSep, {kExit, "E&xit"}}};
  return {"&File",
          {{kNewFont, "&New\tCtrl+N"}, {kOpen, "Open"}, {kSave, "&Save"}, kSep, {kClose, "&Close"}, kSep,
           {kExit, "E&xit"}}};
}

PopupMenu DownloadMenu(bool fontSet) {
  std::vector<MenuItem> items;
  if (fontSet) {
    items = {{kDownloadEntireFont, "Download Entire Font"}, {kDownloadPrintOne, "Download && Print One Character"},
             kSep};
  }
  const std::vector<MenuItem> queries = {
      {kErasePrinterFonts, "Erase Printer Fonts"},
      kSep,
      {kReadPrinterFontInfo, fontSet ? "Read Printer Font Info" : "Read Printer Font Infos"},
      {kCheckAvailableMemory, "Check Available Memory"},
      kSep,
      {kSetupCommunication, "Setup Communication"},
  };
  items.insert(items.end(), queries.begin(), queries.end());
  if (fontSet) {
    items.insert(items.end(), {kSep,
                               {kSendToEscPosPrinter, "Send to ESC/POS Printer\u2026"},
                               {kPrintTableOnReceiptPrinter, "Print Character Table on Receipt Printer\u2026"}});
  }
  return {"&Download", items};
}

const PopupMenu kViewMenu{"&View", {{kViewToolbar, "&Toolbar"}, {kViewStatusBar, "&Status Bar"}}};
const PopupMenu kFontSetViewMenu{"&View", {{kViewToolbar, "&Toolbar"}, {kViewStatusBar, "&Status Bar"}, {kPreview, "Preview"}}};
const PopupMenu kHelpMenu{"&Help", {{kAbout, "&About Dotforge..."}}};
// After the other menus of a window, so that theirs keep their places.
const PopupMenu kEditMenu{"&Edit", {{kUndo, "&Undo\tCtrl+Z"}, {kRedo, "&Redo\tCtrl+Y"}}};

// The editor's menus after its Edit menu: whole-glyph commands with the
// selection's clipboard commands, and the drawing tools.
const PopupMenu kGlyphMenu{"&Glyph",
                           {{kFlipHorizontal, "Flip &Horizontal\tCtrl+Shift+H"},
                            {kFlipVertical, "Flip &Vertical\tCtrl+Shift+V"},
                            {kInvert, "&Invert\tCtrl+I"},
                            {kRotateLeft, "Rotate &Left\tCtrl+L"},
                            {kRotateRight, "Rotate &Right\tCtrl+R"},
                            kSep,
                            {kCut, "Cu&t\tCtrl+X"},
                            {kCopy, "&Copy\tCtrl+C"},
                            {kPaste, "&Paste\tCtrl+V"},
                            {kDelete, "&Delete\tDel"}}};
const PopupMenu kToolsMenu{"&Tools",
                           {{kPenEdit, "&Pen\tP"},
                            {kToolLine, "&Line\tL"},
                            {kToolRectangle, "&Rectangle\tR"},
                            {kToolFilledRectangle, "&Filled Rectangle\tShift+R"},
                            {kToolEllipse, "&Ellipse\tE"},
                            {kToolFloodFill, "Flood F&ill\tF"},
                            {kToolSelect, "&Select\tS"}}};

const std::vector<MenuItem> kFontItems = {
    {kEdit, "Edit"}, kSep, {kCopy, "Copy"}, {kPaste, "Paste"}, kSep, {kAdd, "Add"}, {kDelete, "Delete"}, kSep,
    {kCharacterPosition, "Character Position"}, kSep, {kFontProperties, "Font Properties"},
};

const std::vector<MenuItem> kArrangeItems = {
    {kCascade, "&Cascade"}, {kTile, "&Tile"}, {kArrangeIcons, "&Arrange Icons"}};

std::vector<MenuItem> WindowItems() {
  std::vector<MenuItem> items{{kNewWindow, "&New Window"}};
  items.insert(items.end(), kArrangeItems.begin(), kArrangeItems.end());
  return items;
}

constexpr std::array kTop = {kNewFont, kOpen,       kSave,      kSeparator,      kCopy,      kPaste,
                             kSeparator, kEdit,     kAdd,       kDelete,         kSeparator, kDoubleSizeView,
                             kSeparator, kDownloadEntireFont,   kFontProperties, kSeparator,
                             kUndo,      kRedo};

constexpr std::array kLeft = {kPenEdit,   kClearEdit, kSeparator,    kShiftUp,   kShiftDown,   kShiftLeft,
                              kShiftRight, kSeparator, kRotate,      kAddRow,    kAddColumn,   kDeleteRow,
                              kDeleteColumn, kSeparator, kZoomIn,    kZoomOut,   kReferenceLine};

constexpr std::array kGlyph = {kToolLine,      kToolRectangle,   kToolFilledRectangle, kToolEllipse,
                               kToolFloodFill, kToolSelect,      kSeparator,           kFlipHorizontal,
                               kFlipVertical,  kInvert,          kRotateLeft,          kRotateRight};

// Ctrl+S saves through the Save command: the framework's generic save would write
// an empty file over the font set's path.
constexpr std::array kAccelerators = {
    Accelerator{"Ctrl+C", kCopy},           Accelerator{"Ctrl+V", kPaste},
    Accelerator{"Ins", kAdd},               Accelerator{"Del", kDelete},
    Accelerator{"Ctrl+N", kFrameworkNew},   Accelerator{"Ctrl+O", kFrameworkOpen},
    Accelerator{"Ctrl+S", kSave},           Accelerator{"Ctrl+P", kPrint},
    Accelerator{"Ctrl+X", kCut},            Accelerator{"Shift+Del", kCut},
    Accelerator{"Ctrl+Ins", kFrameworkCopy}, Accelerator{"Shift+Ins", kFrameworkPaste},
    Accelerator{"Ctrl+Z", kUndo},           Accelerator{"Alt+Backspace", kUndo},
    Accelerator{"Ctrl+Y", kRedo},           Accelerator{"Ctrl+Shift+Z", kRedo},
    Accelerator{"F6", kNextPane},           Accelerator{"Shift+F6", kPreviousPane},
    Accelerator{"Ctrl+Shift+H", kFlipHorizontal}, Accelerator{"Ctrl+Shift+V", kFlipVertical},
    Accelerator{"Ctrl+I", kInvert},         Accelerator{"Ctrl+L", kRotateLeft},
    Accelerator{"Ctrl+R", kRotateRight},    Accelerator{"P", kPenEdit},
    Accelerator{"L", kToolLine},            Accelerator{"R", kToolRectangle},
    Accelerator{"Shift+R", kToolFilledRectangle}, Accelerator{"E", kToolEllipse},
    Accelerator{"F", kToolFloodFill},       Accelerator{"S", kToolSelect},
};

}  // namespace

const std::vector<PopupMenu>& MenuBar(MenuBarKind kind) {
  static const std::vector<PopupMenu> noDocument = {FileMenu(false), kViewMenu, DownloadMenu(false), kHelpMenu};
  static const std::vector<PopupMenu> fontSet = {FileMenu(true),        {"F&ont", kFontItems},
                                                 DownloadMenu(true),    kFontSetViewMenu,
                                                 {"&Window", WindowItems()}, kHelpMenu,
                                                 kEditMenu};
  static const std::vector<PopupMenu> editor = {
      {"&Shift",
       {{kShiftDown, "&Down"}, {kShiftUp, "&Up"}, {kShiftLeft, "&Left"}, {kShiftRight, "&Right"},
        {kRotate, "R&otate"}}},
      {"&Add", {{kAddRow, "&Row"}, {kAddColumn, "Column"}}},
      {"&Delete", {{kDeleteRow, "&Row"}, {kDeleteColumn, "&Column"}}},
      {"Windows", kArrangeItems},
      kEditMenu,
      kGlyphMenu,
      kToolsMenu,
  };
  switch (kind) {
    case MenuBarKind::NoDocument:
      return noDocument;
    case MenuBarKind::FontSet:
      return fontSet;
    case MenuBarKind::Editor:
      return editor;
  }
  return noDocument;
}

const std::vector<MenuItem>& ContextMenu() { return kFontItems; }

std::span<const int> TopToolbar() { return kTop; }
std::span<const int> LeftToolbar() { return kLeft; }
std::span<const int> GlyphToolbar() { return kGlyph; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }

}  // namespace dotforge
