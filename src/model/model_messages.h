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

inline constexpr const char* kUnableToOpenFile = "Unable To Open File";
inline constexpr const char* kUnableToWriteFile = "Unable To Write File: the previous file was kept";
inline constexpr const char* kCellTooLarge =
    "Width and Height must be between 1 and 127 to be saved in this file format";
inline constexpr const char* kTooManyRanges =
    "The font set has more than 334 ranges of consecutive codes, more than a DAT file can hold";

}  // namespace dotforge::msg
