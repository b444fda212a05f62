#pragma once
// Dialog titles and control ids of the printer dialogs. Workers
// report field texts by control id; a dialog puts them into its controls.

#include <array>

namespace dotforge::printer_ui {

// "Download Font to Printer"
inline constexpr const char* kDownloadTitle = "Download Font to Printer";
inline constexpr int kDownloadProgressBar = 1055;
inline constexpr int kDownloadPercentText = 1056;

// "Printer Font Info": one column per slot.
inline constexpr const char* kFontInfoTitle = "Printer Font Info";
inline constexpr int kFontSlots = 5;
inline constexpr std::array<const char*, kFontSlots> kSlotHeadings{"Single", "Single", "Single", "Single", "Double"};
inline constexpr std::array<const char*, 6> kFontInfoRowLabels{
    "Font Id :", "Font Name :", "Font Width :", "Font Height :", "Number of Characters :", "Checksum  (hex) :"};
inline constexpr std::array<int, kFontSlots> kFontIdFields{1091, 1092, 1093, 1094, 1095};
inline constexpr std::array<int, kFontSlots> kFontNameFields{1066, 1072, 1078, 1084, 1090};
inline constexpr std::array<int, kFontSlots> kFontWidthFields{1062, 1068, 1074, 1080, 1086};
inline constexpr std::array<int, kFontSlots> kFontHeightFields{1063, 1069, 1075, 1081, 1087};
inline constexpr std::array<int, kFontSlots> kFontCountFields{1064, 1070, 1076, 1082, 1088};
inline constexpr std::array<int, kFontSlots> kFontChecksumFields{1065, 1071, 1077, 1083, 1089};
// Posted when every slot has been asked.
inline constexpr int kFontInfoComplete = 1034;

// "Printer Available Memory"
inline constexpr const char* kMemoryTitle = "Printer Available Memory";
inline constexpr const char* kMemoryLabel = "Available Memory (bytes) :";
inline constexpr int kMemoryField = 1071;
// Posted when the memory text is ready.
inline constexpr int kMemoryTextReady = 1035;

// "Erase Printer Fonts"
inline constexpr const char* kEraseTitle = "Erase Printer Fonts";
inline constexpr const char* kEraseInProgress = "Printer Fonts Erase in Progress.";
inline constexpr const char* kEraseMayTake = "This operation may take up to 30 seconds.";
inline constexpr int kEraseStatusText = 1086;

}  // namespace dotforge::printer_ui
