#pragma once
// Texts the export and import commands, their file dialogs and the outline font
// import show.

namespace dotforge::msg {

// Export.
inline constexpr const char* kExportTitle = "Export Files ";
inline constexpr const char* kHeightAbove24 = "This mode is not compatible with font height greater than 24";
inline constexpr const char* kOnlyFirst224 = "Only the first 224 Characters will be saved";
inline constexpr const char* kCodesAbove0xFF = "Characters with address greater than 0x00FF will not be saved";
inline constexpr const char* kStreamCellTooLarge =
    "Width and Height must be between 1 and 255 to be saved in this file format";
inline constexpr const char* kSaveChangesTo = "Save changes to ";  // followed by the title and "?"
// Preceded by the count of such characters; the file is written all the same.
inline constexpr const char* kDsbCharactersLeftOut =
    " characters were left out: a DSB file holds the codes 0x20 to 0xFF only";
inline constexpr const char* kStreamCharactersLeftOut =
    " characters were left out: a 1B or 1F file holds the first 224 characters only";
inline constexpr const char* kSt9CharactersAtOtherCodes =
    " characters will read back at other codes: an ST9 file holds no codes, so its characters read back as "
    "0x20, 0x21, ... in order";
// The entries of the import and export type lists (the format table's).
inline constexpr const char* kTypeDat = "Files Data (*.DAT)";
inline constexpr const char* kTypeDsb = "Files Single Byte Font (*.DSB)";
inline constexpr const char* kTypeDdb = "Files Double Byte Font (*.DDB)";
inline constexpr const char* kTypeSt10 = "Files ST10 (*.C)";
inline constexpr const char* kTypeSt9 = "Files ST9 (*.ST9)";
inline constexpr const char* kTypeAsm = "Files ASM (*.ASM)";
inline constexpr const char* kType1B26 = "Files 1B26 (*.1B)";
inline constexpr const char* kType1F26 = "Files 1F26 (*.1F)";
inline constexpr const char* kImportTypeOutline = "Files TrueType (*.TTF *.OTF *.TTC)";
inline constexpr const char* kImportTypeBdf = "Files BDF (*.BDF)";
inline constexpr const char* kImportTypePcf = "Files PCF (*.PCF)";
inline constexpr const char* kImportTypePsf = "Files PSF (*.PSF)";
inline constexpr const char* kImportTypeHex = "Files Unifont Hex (*.HEX)";
inline constexpr const char* kExportTypeBdf = "Files BDF (*.BDF)";
inline constexpr const char* kExportTypePsf2 = "Files PSF2 (*.PSF)";
inline constexpr const char* kExportTypeHex = "Files Unifont hex (*.HEX)";
// The last entry of the import and export type lists: the file's name then tells its type.
inline constexpr const char* kAllFilesType = "All Files (*)";
inline constexpr const char* kUnifontCellOnly =
    "The Unifont hex format holds 8x16 and 16x16 characters only: change the cell size or choose another format";
// Preceded by the count of such characters.
inline constexpr const char* kPsfCodesWithoutUnicode =
    " characters have codes that stand for no Unicode character and were written without a Unicode entry";

// File dialogs.
inline constexpr const char* kWildcardInFileName =
    "A file name must not hold * or ?: type the name of the file to write";
inline constexpr const char* kExportFontIdRange = "Font Id must be in range [48..52]";
inline constexpr const char* kFileNameNotAscii =
    "Name of File : printable ASCII characters only (letters, digits, signs): a DSB or DDB file stores the name "
    "in 8 bytes";
inline constexpr const char* kCellSizeAbove255 = "Width and Height must not be greater than 255";
inline constexpr const char* kBaselineOutsideCell = "Baseline must be between 0 and the cell height";
inline constexpr const char* kBaselineLabel = "Baseline :";
inline constexpr const char* kCodePageLabel = "Code Page :";
// Shown in the empty code page box: the codes are then Unicode.
inline constexpr const char* kCodePageUnicode = "Unicode";
// The import dialog's bitmap font options.
inline constexpr const char* kImportBaselineRange = "Baseline must be between 1 and 255, or empty for the font's own";
inline constexpr const char* kCodesSyntax =
    "Codes must be hexadecimal codes and ranges separated by commas, such as 20-7E,A0-FF (at most FFFFFF, "
    "the first code of a range not above the last), or empty to keep every code";
inline constexpr const char* kFontTypeChoice = "Font Type must be automatic, single-byte or double-byte";
inline constexpr const char* kEncodingUnicode = "Unicode (no re-encoding)";
inline constexpr const char* kFontTypeAutomatic = "Automatic";
inline constexpr const char* kFontTypeSingleByte = "Single-byte";
inline constexpr const char* kFontTypeDoubleByte = "Double-byte";

// Import.
inline constexpr const char* kImportTitle = "Import Files ";
inline constexpr const char* kAlreadyOpened = " is already opened";  // after the file name
inline constexpr const char* kFileIsEmpty = " is empty";            // after the file name
inline constexpr const char* kUnableToAllocate = "Unable to Allocate Memory";
inline constexpr const char* kOpeningBracketMissing = "Opening Bracket Missing";
inline constexpr const char* kClosingBracketMissing = "Closing Bracket Missing";
inline constexpr const char* kDataError = "Data Error";
inline constexpr const char* kSizeMismatch = "Values specified in Width/Height parameters don't match with Data";
inline constexpr const char* kUnterminatedComment =
    "A comment opened with \"/*\" is never closed with \"*/\": the file cannot be read";

// Outline font import.
inline constexpr const char* kFreeTypeInitFailed = "Failed to initialize FreeType library";
inline constexpr const char* kFontFormatNotSupported = "Font format is not supported";
inline constexpr const char* kFontOpenFailed = "Failed to Open or Read font file";
inline constexpr const char* kSelectFontFace = "A Font face must be selected...";
inline constexpr const char* kSelectCharmap = "A char mapping encoding must be selected...";
inline constexpr const char* kUnreadableFace = "(this face cannot be read)";
inline constexpr const char* kNothingToRender =
    "This font has neither outlines nor bitmap strikes that can be rendered";
inline constexpr const char* kRenderingCharacters = "Rendering the characters of the font file...";
inline constexpr const char* kGlyphRenderFailed = "Failed to render a character of the font file: code 0x";
// Keeping the character codes of an outline font.
inline constexpr const char* kNoUnicodeMap =
    "This font face has no Unicode character map, so its character codes cannot be kept";
inline constexpr const char* kPixelSizeRange = "Pixel size must be between 1 and 512";
inline constexpr const char* kBaselineRange = "Baseline must be between 0 and 255";
inline constexpr const char* kPreviewSelectFace = "Select a font face to see its characters";
inline constexpr const char* kPreviewNoCode = "none";  // a sample character the code page lacks
// Sample characters of the preview: Latin letters standing on the baseline and
// reaching below it, and CJK ones for the double-byte code pages.
inline constexpr const char32_t* kPreviewLatin = U"HxgpO";
inline constexpr const char32_t* kPreviewJapanese = U"Hgあア漢";
inline constexpr const char32_t* kPreviewSimplifiedChinese = U"Hg汉字中";
inline constexpr const char32_t* kPreviewTraditionalChinese = U"Hg漢字中";
inline constexpr const char32_t* kPreviewKorean = U"Hg한글字";

// Bitmap font import (BDF, PCF, PSF, Unifont hex).
inline constexpr const char* kGzipDamaged = "The compressed font file is damaged or ends early";
inline constexpr const char* kGzipTooLarge = " is larger than 256 MiB when unpacked";  // after the file name
inline constexpr const char* kPsfTableEndsEarly = "The PSF font file ends before the Unicode entry of its last glyph";
inline constexpr const char* kNotPsfFont = "This is not a PSF console font";
inline constexpr const char* kPsfHeaderDamaged = "The PSF font's header is damaged";
inline constexpr const char* kPsfGlyphsEndEarly = "The PSF font file ends before its last glyph";
inline constexpr const char* kHexLineDamaged =
    "The Unifont hex file has a line that is not CODE:BITMAP with 32 or 64 hexadecimal digits: line ";
inline constexpr const char* kNotX11BitmapFont = "This is not a BDF or PCF bitmap font";
inline constexpr const char* kBitmapGlyphUnreadable = "A glyph of the bitmap font cannot be read";
inline constexpr const char* kBitmapGlyphNotMono = "The bitmap font has glyphs that are not one bit per dot";
inline constexpr const char* kNoGlyphs = "The font file holds no glyphs";
inline constexpr const char* kUnknownCodePage = "Unknown code page: ";  // followed by the name
inline constexpr const char* kCodesNotUnicode =
    "The font's codes are not Unicode, so they cannot be re-encoded into a code page";
inline constexpr const char* kNoCharactersKept = "No character of the font was kept: ";  // followed by the counts
// The import's summary: "N characters kept, M skipped (...), K cut at the cell's edges".
inline constexpr const char* kSummaryKept = " characters kept, ";
inline constexpr const char* kSummarySkipped = " skipped";
inline constexpr const char* kSummaryBelowSpace = " below 0x20";
inline constexpr const char* kSummaryNotEncodable = " not in the code page";
inline constexpr const char* kSummaryOutsideCodes = " outside the chosen codes";
inline constexpr const char* kSummaryOutsideType = " beyond the font type's codes";
inline constexpr const char* kSummarySameCode = " on a code already taken";
inline constexpr const char* kSummaryCut = " cut at the cell's edges";

}  // namespace dotforge::msg
