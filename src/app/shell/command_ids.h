#pragma once
// The program's command ids, shared by menu items, toolbar buttons, accelerators
// and pop-up menu items.

namespace dotforge::cmd {

// Application and files
inline constexpr int kNewFont = 32783;
inline constexpr int kOpen = 32812;
inline constexpr int kSave = 57604;
inline constexpr int kFrameworkNew = 57600;
inline constexpr int kFrameworkOpen = 57601;
inline constexpr int kFrameworkSave = 57603;
inline constexpr int kClose = 57602;
inline constexpr int kPrint = 57607;
inline constexpr int kExit = 57665;
inline constexpr int kAbout = 57664;
// The File menu's "Recent Files" pop-up (enabled while the list holds a file).
inline constexpr int kRecentFiles = 57616;

// Font set
inline constexpr int kEdit = 32795;
inline constexpr int kCopy = 32807;
inline constexpr int kPaste = 32808;
inline constexpr int kAdd = 32801;
inline constexpr int kDelete = 32802;
inline constexpr int kCharacterPosition = 32827;
inline constexpr int kFontProperties = 32820;
inline constexpr int kDoubleSizeView = 32831;

// Printer
inline constexpr int kDownloadEntireFont = 32817;
inline constexpr int kDownloadPrintOne = 32818;
inline constexpr int kErasePrinterFonts = 32819;
inline constexpr int kReadPrinterFontInfo = 32833;
inline constexpr int kCheckAvailableMemory = 32834;
inline constexpr int kSetupCommunication = 32835;
// Any ESC/POS receipt printer: the font set as its user-defined characters.
inline constexpr int kSendToEscPosPrinter = 32843;

// Glyph editing (editor window, and the font-wide forms in a font set window)
inline constexpr int kShiftDown = 32771;
inline constexpr int kShiftUp = 32772;
inline constexpr int kShiftRight = 32773;
inline constexpr int kShiftLeft = 32774;
inline constexpr int kRotate = 32842;
inline constexpr int kAddColumn = 32777;
inline constexpr int kAddRow = 32778;
inline constexpr int kDeleteRow = 32780;
inline constexpr int kDeleteColumn = 32781;
inline constexpr int kClearEdit = 32786;
inline constexpr int kPenEdit = 32789;
inline constexpr int kZoomIn = 32782;
inline constexpr int kZoomOut = 32791;
inline constexpr int kReferenceLine = 32841;

// The editor's Glyph menu: whole-glyph transforms
inline constexpr int kFlipHorizontal = 32860;
inline constexpr int kFlipVertical = 32861;
inline constexpr int kInvert = 32862;
inline constexpr int kRotateLeft = 32863;
inline constexpr int kRotateRight = 32864;

// The editor's drawing tools (one active at a time; kPenEdit is the pen)
inline constexpr int kToolLine = 32865;
inline constexpr int kToolRectangle = 32866;
inline constexpr int kToolFilledRectangle = 32867;
inline constexpr int kToolEllipse = 32868;
inline constexpr int kToolFloodFill = 32869;
inline constexpr int kToolSelect = 32870;

// The font set's history (Edit menu)
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;

// View and windows
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kNewWindow = 57648;
inline constexpr int kArrangeIcons = 57649;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57651;
// The Preview panel of the active font set (View menu of font set windows).
inline constexpr int kPreview = 32844;
// Any ESC/POS receipt printer: the character table as pictures (Download menu).
inline constexpr int kPrintTableOnReceiptPrinter = 32845;

// Accelerator-only framework commands: the editor takes Cut, Copy and Paste
// (Ctrl+Ins and Shift+Ins as well); nothing else handles them.
inline constexpr int kCut = 57635;
inline constexpr int kFrameworkCopy = 57634;
inline constexpr int kFrameworkPaste = 57637;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

}  // namespace dotforge::cmd
