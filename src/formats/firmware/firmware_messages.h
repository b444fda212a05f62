#pragma once
// Texts the firmware exports (Adafruit GFX font, C arrays) and the C array
// reader show.

namespace dotforge::msg {

// The type list entries: GFX in the export list after the bitmap fonts, C arrays
// after it in both lists. Both patterns are *.H; a .h file is taken as GFX.
inline constexpr const char* kExportTypeGfx = "Files GFX Font (*.H)";
inline constexpr const char* kTypeCArray = "Files C Array (*.H)";

// GFX font export.
inline constexpr const char* kGfxCellTooLarge =
    "Width and Height must be between 1 and 127 to be saved as a GFX font: its glyph offsets are signed bytes";
inline constexpr const char* kGfxNoCharacters = "A GFX font needs at least one character among the codes written";
// "R glyph records for N characters: ...", R being the codes from the first to the last.
inline constexpr const char* kGfxRecordsFor = " glyph records for ";
inline constexpr const char* kGfxSparseRange =
    " characters: a GFX font holds one record for every code from its first to its last; choose the codes to "
    "write with --codes, such as --codes 20-7E";
// Preceded by the bitmap's size in bytes.
inline constexpr const char* kGfxBitmapTooLarge =
    " bytes of glyph bitmaps are more than a GFX font holds (65,535, its offsets are 16-bit): choose fewer "
    "codes with --codes, such as --codes 20-7E";

// The export dialog's C array rows.
inline constexpr const char* kLayoutLabel = "Layout :";
inline constexpr const char* kLayoutRows = "Rows (each row's dots left to right)";
inline constexpr const char* kLayoutColumns = "Columns (8 rows a byte, as column displays and ESC & take them)";
inline constexpr const char* kBitOrderLabel = "Bit Order :";
inline constexpr const char* kBitOrderMsb = "First dot in the high bit (MSB)";
inline constexpr const char* kBitOrderLsb = "First dot in the low bit (LSB)";
inline constexpr const char* kInvertLabel = "Invert :";
inline constexpr const char* kInvertText = "1 = white";
inline constexpr const char* kArtLabel = "Glyph Art :";
inline constexpr const char* kArtText = "A comment draws each glyph in # and .";

// C array import.
inline constexpr const char* kCArrayMissingDefine =
    "The file is not a C array font: a define of NAME_WIDTH, NAME_HEIGHT, NAME_BYTES_PER_CHAR or NAME_COUNT is missing";
inline constexpr const char* kCArrayMissingArray =
    "The file is not a C array font: the array NAME_codes or NAME_data is missing or not closed with }";
inline constexpr const char* kCArrayBadCell = "Width and Height must be between 1 and 255 in a C array font";
inline constexpr const char* kCArrayBadOption =
    "The top comment of the C array font names a layout, bit order or invert value this program does not know";
inline constexpr const char* kCArrayBytesPerChar =
    "NAME_BYTES_PER_CHAR does not match the width, height and layout of the C array font";
inline constexpr const char* kCArrayCountMismatch =
    "NAME_codes does not hold NAME_COUNT codes, or NAME_data not NAME_COUNT x NAME_BYTES_PER_CHAR bytes";
inline constexpr const char* kCArrayBadValue =
    "The arrays of the C array font hold a value that is not a number, a code above 0xFFFF or a byte above 0xFF";

}  // namespace dotforge::msg
