// The texts typed into the Character Position, New Font and Font Properties
// dialogs. The first byte chooses the font type and the sizes, the rest is the
// text put into every text field.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/scripted_prompt.h"
#include "model/code_entry.h"
#include "model/dialog_numbers.h"
#include "model/font_properties.h"
#include "model/new_font.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  if (size < 1) return 0;
  const std::int32_t choice = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  ScriptedPrompt prompt;

  const std::int32_t code = ParseHexCode(text, prompt);
  if (code < 0 || code > 0xFFFF) std::abort();
  const std::int32_t fontType = choice % 4 - 1;
  if (CheckCodeEntry(fontType, text, prompt) && fontType == kSingleByteFont && (code < 0x20 || code > 0xFF)) {
    std::abort();
  }

  const std::optional<std::int32_t> whole = ReadWholeDecimal(text);
  if (whole && ScanDecimal(text) != whole) std::abort();

  NewFontFields fields = NewFontDialogDefaults();
  fields.fontType = choice & 1;
  ChangeNewFontType(fields);
  fields.fileName = text;
  fields.idOrStart = text;
  fields.width = choice >> 2;
  fields.height = choice >> 1;
  if (const auto request = CheckNewFontFields(fields, prompt)) {
    const bool singleByte = request->fontType == kSingleByteFont;
    if (singleByte && (request->fontId < '0' || request->fontId > '3')) std::abort();
    if (!singleByte && request->startCode < 0x20) std::abort();
  }

  FontPropertiesFields properties = FontPropertiesDialogFields(fontType, 8, 8, 1, static_cast<char>(choice));
  properties.fontId = text;
  CheckFontProperties(properties, prompt);
  return 0;
}
