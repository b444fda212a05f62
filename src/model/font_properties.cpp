#include "model/font_properties.h"

#include <string>

#include "model/dialog_numbers.h"
#include "model/font_set.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kFirstSingleByteFontId = 48;  // '0'
constexpr std::int32_t kLastSingleByteFontId = 51;   // '3'

constexpr const char* kSingleByteText = "Single Byte";
constexpr const char* kDoubleByteText = "Double Byte";
constexpr const char* kUnknownTypeText = "unknown";

const char* FontTypeText(std::int32_t fontType) {
  if (fontType == kSingleByteFont) return kSingleByteText;
  if (fontType == kDoubleByteFont) return kDoubleByteText;
  return kUnknownTypeText;
}

}  // namespace

FontPropertiesFields FontPropertiesDialogFields(std::int32_t fontType, std::int32_t width, std::int32_t height,
                                                std::int32_t characterCount, char fontId) {
  FontPropertiesFields fields;
  fields.width = width;
  fields.height = height;
  fields.characterCount = characterCount;
  fields.fontId = std::to_string(static_cast<unsigned char>(fontId));
  fields.fontType = FontTypeText(fontType);
  fields.fontIdEnabled = fields.fontType != kDoubleByteText;
  return fields;
}

bool CheckFontProperties(const FontPropertiesFields& fields, Prompt& prompt) {
  if (!fields.fontIdEnabled) return true;
  const std::optional<std::int32_t> id = ReadWholeDecimal(fields.fontId);
  if (id && *id >= kFirstSingleByteFontId && *id <= kLastSingleByteFontId) return true;
  prompt.ShowMessage(msg::kFontIdRange);
  return false;
}

std::optional<FontPropertiesResult> RunFontPropertiesDialog(std::int32_t fontType, std::int32_t width,
                                                            std::int32_t height, std::int32_t characterCount,
                                                            char fontId, Prompt& prompt) {
  FontPropertiesFields fields = FontPropertiesDialogFields(fontType, width, height, characterCount, fontId);
  const bool accepted = prompt.RequestFontProperties(
      fields, [&prompt](const FontPropertiesFields& f) { return CheckFontProperties(f, prompt); });
  if (!accepted) return std::nullopt;
  // A disabled id field cannot have been changed; it gives the id back as it was.
  const std::optional<std::int32_t> id = fields.fontIdEnabled ? ReadWholeDecimal(fields.fontId) : std::nullopt;
  return FontPropertiesResult{fields.width, fields.height, id ? static_cast<char>(*id & 0xFF) : fontId};
}

}  // namespace dotforge
