#pragma once
// Texts the font set readers and writers show.

namespace dotforge::msg {

inline constexpr const char* kUnableToReadFile = "Unable To Read File";
inline constexpr const char* kNotValidDotforgeFile = "Not a valid DOTFORGE File";
inline constexpr const char* kInvalidFileType = "Invalid value in file type field";
inline constexpr const char* kWidthHeightZero = "Width and Height must be different from 0";
inline constexpr const char* kInvalidStorageMode = "Invalid value in storage mode field";
inline constexpr const char* kInvalidRangeCount = "Invalid value in range count field";
inline constexpr const char* kInvalidDataFormat = "Invalid data format";
inline constexpr const char* kFileEndsEarly =
    "The file ends before all of its characters were read; the characters read so far are kept";
inline constexpr const char* kGlyphDataEndsEarly =
    "The glyph data ends before all of its characters were read; the characters read so far are kept";

inline constexpr const char* kCharactersLeftOut =
    " characters were left out: the codes of a font set end at 0xFFFF";  // after the number

inline constexpr const char* kUnableToOpenFile = "Unable To Open File";
inline constexpr const char* kUnableToWriteFile = "Unable To Write File: the previous file was kept";
inline constexpr const char* kCellTooLarge =
    "Width and Height must be between 1 and 127 to be saved in this file format";
inline constexpr const char* kCodeAbove0xFFFF =
    "A character code above 0xFFFF cannot be saved in this file format: code 0x";  // followed by the code
inline constexpr const char* kTooManyCharacters =
    "The font set has more than 65535 characters, more than this file format can hold";
inline constexpr const char* kDuplicateCodes =
    "More than one character has the same code; only the first of each is saved: ";  // followed by the codes
inline constexpr const char* kTooManyRanges =
    "The font set has more than 334 ranges of consecutive codes, more than a DAT file can hold";

// Character operations and the Character Position dialog.
inline constexpr const char* kNotValidHex = "Error : Not a valid Hex value";
inline constexpr const char* kSingleByteCodeRange = "Error: Valid range [20 - FF]";
inline constexpr const char* kDoubleByteCodeRange = "Error: Valid range [20 -  FFFF]";
inline constexpr const char* kSingleByteSetFull = "Error: Valid range [0020 - 00FF]";
inline constexpr const char* kDoubleByteSetFull = "Error: Valid range [0020 - FFFF]";
inline constexpr const char* kCharacterAlreadyMapped = "Character already Mapped";
inline constexpr const char* kCharacterIsAlreadyMapped = "Character is already Mapped";

// New Font and Font Properties.
inline constexpr const char* kIntegerRangePrefix = "Please enter an integer between ";
inline constexpr const char* kFileNameTooLong = "Name of File : Max 8 Characters";
inline constexpr const char* kEnterFileName = "Enter Filename";
inline constexpr const char* kInvalidFileName = "Unvalid Filename";
inline constexpr const char* kWidthAndHeightZero = "Width and Height Must be different from 0";
inline constexpr const char* kWidthZero = "Width Must be different from 0";
inline constexpr const char* kHeightZero = "Height Must be different from 0";
inline constexpr const char* kStartCodeTooLow = "Start Character Position Must be greater than 32";
inline constexpr const char* kFontIdRange = "Font Id must be in range [48..51]";
inline constexpr const char* kCellSizeTooLarge =
    "Width and Height must not be greater than 127: the font files cannot hold a larger cell";

// The names of the steps of a font set's history, as the Undo and Redo commands show them.
inline constexpr const char* kStepAddCharacter = "Add Character";
inline constexpr const char* kStepDeleteCharacter = "Delete Character";
inline constexpr const char* kStepPasteCharacter = "Paste Character";
inline constexpr const char* kStepCharacterPosition = "Character Position";
inline constexpr const char* kStepFontProperties = "Font Properties";

}  // namespace dotforge::msg
