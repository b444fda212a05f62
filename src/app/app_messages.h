#pragma once
// Texts the desktop shell shows besides those of the command table.

namespace dotforge::msg {

inline constexpr const char* kRecentFilesMenu = "&Recent Files";
// Follows the file's full path.
inline constexpr const char* kRecentFileGone = " no longer exists. It has been removed from the Recent Files list.";
// Follows the path of a file named on the command line or dropped.
inline constexpr const char* kFileNotFound = " does not exist.";
inline constexpr const char* kOpenRecentPrompt = "Open this font file";
// The Edit menu's items; the name of the step they act on follows the verb.
inline constexpr const char* kUndoMenuVerb = "&Undo";
inline constexpr const char* kRedoMenuVerb = "&Redo";
inline constexpr const char* kUndoMenuKeys = "\tCtrl+Z";
inline constexpr const char* kRedoMenuKeys = "\tCtrl+Y";

// The "TrueType Font Faces" dialog's keep-codes controls.
inline constexpr const char* kFacesKeepCodes = "Keep character codes";
inline constexpr const char* kFacesEncoding = "&Encoding:";
inline constexpr const char* kFacesPixelSize = "&Pixel size:";
inline constexpr const char* kFacesBaseline = "&Baseline:";
inline constexpr const char* kFacesPreview = "Preview (baseline in red):";
inline constexpr const char* kFacesDefault = "default: ";  // followed by the value the import would use

// The "Send to ESC/POS Printer" dialog.
inline constexpr const char* kEscPosTitle = "Send to ESC/POS Printer";
inline constexpr const char* kEscPosConnection = "&Connection:";
inline constexpr const char* kEscPosSerial = "Serial";
inline constexpr const char* kEscPosNetwork = "Network";
inline constexpr const char* kEscPosDevice = "USB printer device";
inline constexpr const char* kEscPosPortLabel = "Serial &port:";
inline constexpr const char* kEscPosBaudLabel = "&Baud rate:";
inline constexpr const char* kEscPosParityLabel = "P&arity:";
inline constexpr const char* kEscPosFlowLabel = "&Flow control:";
inline constexpr const char* kEscPosHostLabel = "&Host:";
inline constexpr const char* kEscPosTcpPortLabel = "P&ort:";
inline constexpr const char* kEscPosDeviceLabel = "&Device:";
inline constexpr const char* kEscPosFontLabel = "Printer &font:";
inline constexpr const char* kEscPosFontA = "Font A (12 x 24)";
inline constexpr const char* kEscPosFontB = "Font B (9 x 17)";
inline constexpr const char* kEscPosCodePageLabel = "Code pa&ge:";
inline constexpr const char* kEscPosSampleLabel = "Sample &text:";
inline constexpr const char* kEscPosSend = "&Send";
inline constexpr const char* kEscPosCancel = "Cancel";
inline constexpr const char* kEscPosClose = "Close";

inline constexpr const char* kDesktopUsage =
    "usage: dotforge [options] [FILE...]\n"
    "\n"
    "Dotforge, the editor for the bitmap fonts of thermal receipt printers.\n"
    "Each FILE is opened as the Open command would, its type told by its extension\n"
    "(.DAT, .DSB, .DDB, .1B, .1F); files that need a cell size (.C, .ST9, .ASM,\n"
    "outline fonts) or have another extension show the Open dialog on that file.\n"
    "\n"
    "options:\n"
    "  -h, --help      show this help and exit\n"
    "  -v, --version   show the version and exit\n"
    "  --              every later argument is a FILE\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n";

}  // namespace dotforge::msg
