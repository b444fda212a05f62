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

// On stderr when the desktop program finds no display to open.
inline constexpr const char* kNoDisplay =
    "dotforge: cannot open a display: set DISPLAY or start it from a desktop session\n";

// OK in a file dialog under "All Files (*)" on a name whose extension names no type of the list.
inline constexpr const char* kTypeNotFromName = "The file's name does not tell its type: choose its type in the list.";

// The Open dialog's bitmap font options (BDF, PCF, PSF, Unifont hex).
inline constexpr const char* kImportBaselineLabel = "Baseline :";
inline constexpr const char* kImportEncodingLabel = "Encoding :";
inline constexpr const char* kImportCodesLabel = "Codes :";
inline constexpr const char* kImportFontTypeLabel = "Font Type :";
inline constexpr const char* kImportFromTheFont = "from the font";
inline constexpr const char* kImportCodesHint = "all, or e.g. 20-7E,A0-FF";
inline constexpr const char* kImportBitmapHint =
    "Width, Height and Baseline left 0 or empty are the font's own. Codes are hexadecimal and apply after the "
    "re-encoding; codes below 0x20 are always skipped.";
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
// The same dialog printing the preview's text, or the character table, as pictures.
inline constexpr const char* kEscPosPictureTitle = "Print on Receipt Printer";
inline constexpr const char* kEscPosTableTitle = "Print Character Table on Receipt Printer";
inline constexpr const char* kEscPosPaperLabel = "Paper &width:";
inline constexpr const char* kEscPosPaper80 = "80 mm";
inline constexpr const char* kEscPosPaper58 = "58 mm";
inline constexpr const char* kEscPosPaperOther = "Other";
inline constexpr const char* kEscPosPaperDotsSuffix = " dots";
inline constexpr const char* kEscPosPictureLabel = "P&icture commands:";
inline constexpr const char* kEscPosRaster = "Raster (GS v 0)";
inline constexpr const char* kEscPosColumns = "Columns (ESC *, for printers without GS v 0)";
inline constexpr const char* kEscPosZoomLabel = "&Zoom:";
inline constexpr const char* kEscPosPrint = "&Print";

// The "Paste Image" dialog: a picture from the clipboard turned into dots.
inline constexpr const char* kPasteImageTitle = "Paste Image";
inline constexpr const char* kPasteImageHint = "Pixels darker than the threshold become black dots.";
inline constexpr const char* kPasteImageThreshold = "&Threshold:";
inline constexpr const char* kPasteImagePercent = " %";
inline constexpr const char* kPasteImageInvert = "&Invert";
// The picture's width and height.
inline constexpr const char* kPasteImageSize = "%1 x %2 dots";
inline constexpr const char* kPasteImageTooLarge =
    "The picture on the clipboard is too large to paste: at most 1024 x 1024 pixels.";
inline constexpr const char* kPasteDotsDamaged = "The dots on the clipboard are damaged and cannot be pasted.";
// The Preview panel.
inline constexpr const char* kPreviewTitle = "Preview";
inline constexpr const char* kPreviewTextLabel = "&Text:";
inline constexpr const char* kPreviewEncodingLabel = "&Encoding:";
inline constexpr const char* kPreviewZoomLabel = "&Zoom:";
inline constexpr const char* kPreviewZoomSuffix = "\u00D7";
inline constexpr const char* kPreviewSave = "Save Preview As PNG\u2026";
inline constexpr const char* kPreviewPrint = "Print on Receipt Printer\u2026";
inline constexpr const char* kPreviewSaveCaption = "Save Preview As PNG";
inline constexpr const char* kPreviewPngFilter = "PNG pictures (*.png)";
inline constexpr const char* kPreviewStartText = "The quick brown fox jumps over the lazy dog.\n0123456789 !?";
inline constexpr const char* kPreviewTextTip =
    "\\xHH or \\xHHHH puts a code directly, \\\\ is a backslash; a character the encoding or the font set "
    "does not hold is a box";
inline constexpr const char* kPreviewNoFontSet = "Activate a font set window to preview its characters.";
// {} 1: the font set's title, 2: the picture's width, 3: its height.
inline constexpr const char* kPreviewShowing = "{}: {} x {} pixels";

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
