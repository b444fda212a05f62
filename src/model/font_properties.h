#pragma once
// The Font Properties dialog: shows a font set's cell size, character count, font
// id and type, and gives back the cell size and id the user confirmed.

#include <cstdint>
#include <optional>

#include "framework/prompt.h"

namespace dotforge {

struct FontPropertiesResult {
  std::int32_t width = 0;
  std::int32_t height = 0;
  char fontId = '0';
};

// The fields as the dialog opens; the id field is disabled for a double-byte font.
FontPropertiesFields FontPropertiesDialogFields(std::int32_t fontType, std::int32_t width, std::int32_t height,
                                                std::int32_t characterCount, char fontId);

// The OK check: an enabled id must be a number from 48 to 51.
bool CheckFontProperties(const FontPropertiesFields& fields, Prompt& prompt);

// Shows the dialog; what it gives back, nothing on Cancel.
std::optional<FontPropertiesResult> RunFontPropertiesDialog(std::int32_t fontType, std::int32_t width,
                                                            std::int32_t height, std::int32_t characterCount,
                                                            char fontId, Prompt& prompt);

}  // namespace dotforge
