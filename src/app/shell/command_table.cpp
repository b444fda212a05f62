#include "app/shell/command_table.h"

#include <array>

#include "app/shell/command_ids.h"

namespace dotforge {
namespace {

using I = CommandIcon;

constexpr std::array kCommands = {
    CommandInfo{cmd::kNewFont, "Create New Font\nCreate New Font", I::New},
    CommandInfo{cmd::kOpen, "Open or import a font file\nOpen", I::Open},
    CommandInfo{cmd::kSave, "Save Dotforge Format\nSave Dotforge Format", I::Save},
    CommandInfo{cmd::kFrameworkNew, "Create a new document\nNew", I::None},
    CommandInfo{cmd::kFrameworkOpen, "Open an existing document\nOpen", I::None},
    CommandInfo{cmd::kFrameworkSave, "Save the active document\nSave", I::None},
    CommandInfo{cmd::kClose, "Close the active document\nClose", I::None},
    CommandInfo{cmd::kPrint, "Print the active document\nPrint", I::None},
    CommandInfo{cmd::kExit, "Quit the application; prompts to save documents\nExit", I::None},
    CommandInfo{cmd::kRecentFiles, "Open a recently used font file\nRecent Files", I::None},
    CommandInfo{cmd::kAbout, "Display program information, version number and copyright\nAbout", I::None},
    CommandInfo{cmd::kEdit, "Edit Character\nEdit Character", I::Edit},
    CommandInfo{cmd::kCopy, "Copy Character\nCopy Character", I::Copy},
    CommandInfo{cmd::kPaste, "Paste Character\nPaste Character", I::Paste},
    CommandInfo{cmd::kAdd, "Add Character\nAdd Character", I::Add},
    CommandInfo{cmd::kDelete, "Delete Character\nDelete Character", I::Delete},
    CommandInfo{cmd::kCharacterPosition, "Change Character Position\nCharacter Position", I::None},
    CommandInfo{cmd::kFontProperties, "Font Properties\nFont Properties", I::Properties},
    CommandInfo{cmd::kDoubleSizeView, "Double Size View\nDouble Size View", I::DoubleSize},
    CommandInfo{cmd::kDownloadEntireFont, "Download Entire Font\nDownload Entire Font", I::Download},
    CommandInfo{cmd::kDownloadPrintOne, "Download and Print One Character\nPrint One Character", I::None},
    CommandInfo{cmd::kErasePrinterFonts, "Erase Printer Fonts\nErase Printer Fonts", I::None},
    CommandInfo{cmd::kReadPrinterFontInfo, "Read Printer Font Infos\nRead Printer Infos", I::None},
    CommandInfo{cmd::kCheckAvailableMemory, "Check Available Memory\nCheck Available Memory", I::None},
    CommandInfo{cmd::kSetupCommunication, "Setup Communication\nSetup Communication", I::None},
    CommandInfo{cmd::kSendToEscPosPrinter,
                "Send the characters 0x20..0x7E to an ESC/POS receipt printer as its user-defined characters\nSend to ESC/POS Printer",
                I::None},
    CommandInfo{cmd::kShiftDown, "Shift Area Down\nShift Area Down", I::ShiftDown},
    CommandInfo{cmd::kShiftUp, "Shift Area Up\nShift Area Up", I::ShiftUp},
    CommandInfo{cmd::kShiftRight, "Shift Area Right\nShift Area Right", I::ShiftRight},
    CommandInfo{cmd::kShiftLeft, "Shift Area Left\nShift Area Left", I::ShiftLeft},
    CommandInfo{cmd::kRotate, "Shift Area Rotate\nShift Area Rotate", I::Rotate},
    CommandInfo{cmd::kAddColumn, "Add Column\nAdd Column", I::AddColumn},
    CommandInfo{cmd::kAddRow, "Add Row\nAdd Row", I::AddRow},
    CommandInfo{cmd::kDeleteRow, "Delete Row\nDelete Row", I::DeleteRow},
    CommandInfo{cmd::kDeleteColumn, "Delete Column\nDelete Column", I::DeleteColumn},
    CommandInfo{cmd::kClearEdit, "Clear Edit\nClear Edit", I::ClearEdit},
    CommandInfo{cmd::kPenEdit, "Pen Edit\nPen Edit", I::PenEdit},
    CommandInfo{cmd::kZoomIn, "Zoom In\nZoom In", I::ZoomIn},
    CommandInfo{cmd::kZoomOut, "Zoom Out\nZoom Out", I::ZoomOut},
    CommandInfo{cmd::kReferenceLine, "Reference Line Position\nReference Line Position", I::ReferenceLine},
    CommandInfo{cmd::kFlipHorizontal, "Mirror the glyph left to right\nFlip Horizontal", I::FlipHorizontal},
    CommandInfo{cmd::kFlipVertical, "Mirror the glyph top to bottom\nFlip Vertical", I::FlipVertical},
    CommandInfo{cmd::kInvert, "Turn every black dot white and every white dot black\nInvert", I::Invert},
    CommandInfo{cmd::kRotateLeft, "Turn the glyph a quarter counter-clockwise (square cells only)\nRotate Left",
                I::RotateLeft},
    CommandInfo{cmd::kRotateRight, "Turn the glyph a quarter clockwise (square cells only)\nRotate Right",
                I::RotateRight},
    CommandInfo{cmd::kToolLine, "Draw a straight line; the right button draws in the other colour\nLine", I::Line},
    CommandInfo{cmd::kToolRectangle, "Draw a rectangle outline\nRectangle", I::Rectangle},
    CommandInfo{cmd::kToolFilledRectangle, "Draw a filled rectangle\nFilled Rectangle", I::FilledRectangle},
    CommandInfo{cmd::kToolEllipse, "Draw an ellipse inside the dragged rectangle\nEllipse", I::Ellipse},
    CommandInfo{cmd::kToolFloodFill, "Fill the area of one colour around the clicked dot\nFlood Fill", I::FloodFill},
    CommandInfo{cmd::kToolSelect,
                "Select a rectangle of dots; drag it or use the arrow keys to move it, Escape to drop it\nSelect",
                I::Select},
    CommandInfo{cmd::kCut, "Cut the selected dots to the clipboard\nCut", I::Cut},
    CommandInfo{cmd::kUndo, "Undo the last change to the font set\nUndo", I::Undo},
    CommandInfo{cmd::kRedo, "Redo the change undone last\nRedo", I::Redo},
    CommandInfo{cmd::kViewToolbar, "Show or hide the toolbar\nToggle ToolBar", I::None},
    CommandInfo{cmd::kViewStatusBar, "Show or hide the status bar\nToggle StatusBar", I::None},
    CommandInfo{cmd::kNewWindow, "Open another window for the active document\nNew Window", I::None},
    CommandInfo{cmd::kArrangeIcons, "Arrange icons at the bottom of the window\nArrange Icons", I::None},
    CommandInfo{cmd::kCascade, "Arrange windows so they overlap\nCascade Windows", I::None},
    CommandInfo{cmd::kTile, "Arrange windows as non-overlapping tiles\nTile Windows", I::None},
    CommandInfo{cmd::kPreview, "Show or hide a text drawn with the font set's characters\nPreview", I::None},
    CommandInfo{cmd::kPrintTableOnReceiptPrinter,
                "Print every character of the font set on an ESC/POS receipt printer as pictures\nPrint Character Table",
                I::None},
};

}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& info : kCommands) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

std::string StatusPrompt(int id) {
  const CommandInfo* info = FindCommand(id);
  if (!info) return {};
  const std::string strings = info->strings;
  return strings.substr(0, strings.find('\n'));
}

std::string ToolTip(int id) {
  const CommandInfo* info = FindCommand(id);
  if (!info) return {};
  const std::string strings = info->strings;
  const auto newline = strings.find('\n');
  return newline == std::string::npos ? std::string() : strings.substr(newline + 1);
}

}  // namespace dotforge
