#pragma once
// Every text that printing as pictures shows. A "{}" is replaced by the value
// named beside it (FormatMessage).

#include "escpos/escpos_messages.h"

namespace dotforge::msg {

// {} 1: the cell's width in dots at the zoom, 2: the zoom, 3: the paper's width in dots.
inline constexpr const char* kReceiptCharacterTooWide =
    "A character is {} dots wide at zoom {}, wider than the paper's {} dots: lower the zoom or choose wider paper.";
inline constexpr const char* kReceiptNoCharacters = "The font set has no characters with the codes asked for.";
// The text line above a row of the character table. {}: the row's first code, four or more hexadecimal digits.
inline constexpr const char* kReceiptTableRowLabel = "0x{}";

}  // namespace dotforge::msg
