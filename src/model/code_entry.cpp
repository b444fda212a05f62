#include "model/code_entry.h"

#include "model/character_record.h"
#include "model/font_set.h"
#include "model/model_messages.h"

namespace dotforge {

std::int32_t ParseHexCode(std::string_view text, Prompt& prompt) {
  std::optional<std::uint32_t> code;
  if (text.size() == 2 || text.size() == 4) code = ParseLabelCode(text, static_cast<int>(text.size()));
  if (!code) {
    prompt.ShowMessage(msg::kNotValidHex);
    return 0;
  }
  return static_cast<std::int32_t>(*code);
}

bool CheckCodeEntry(std::int32_t fontType, std::string_view text, Prompt& prompt) {
  const bool singleByte = fontType == kSingleByteFont;
  if (!singleByte && fontType != kDoubleByteFont && fontType != -1) return true;
  const std::int32_t code = ParseHexCode(text, prompt);
  const std::int32_t end = singleByte ? 0x100 : 0x10000;
  if (code >= 0x20 && code < end) return true;
  prompt.ShowMessage(singleByte ? msg::kSingleByteCodeRange : msg::kDoubleByteCodeRange, MessageKind::Warning);
  return false;
}

std::optional<std::string> RunCodeEntryDialog(std::int32_t fontType, Prompt& prompt) {
  CodeEntryFields fields;
  const bool accepted = prompt.RequestCodeEntry(
      fields, [fontType, &prompt](const CodeEntryFields& f) { return CheckCodeEntry(fontType, f.code, prompt); });
  if (!accepted) return std::nullopt;
  return fields.code;
}

}  // namespace dotforge
