#pragma once
// The fields of the small dialogs the core asks for. The core fills them with
// what the dialog shows when it opens and checks them when OK is pressed; the
// prompt only shows them and hands back what the user typed.

#include <cstdint>
#include <functional>
#include <string>

namespace dotforge {

// "Character Position": the code typed as hexadecimal text.
struct CodeEntryFields {
  static constexpr const char* kCaption = "Character Position";
  std::string code;
};

// "New Font". `fontType` is the index of the drop-down list (0 "Single Byte",
// 1 "Double Byte"); `idOrStart` holds the font id (decimal) or the start code
// (hexadecimal), labelled by `idOrStartLabel`.
struct NewFontFields {
  static constexpr const char* kCaption = "New Font";
  std::string fileName;
  std::int32_t fontType = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string idOrStart;
  std::string idOrStartLabel;
};

// "Font Properties". `characterCount` is shown only; `fontId` is the id byte as
// decimal text, editable only while `fontIdEnabled`.
struct FontPropertiesFields {
  static constexpr const char* kCaption = "Font Properties";
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t characterCount = 0;
  std::string fontId;
  std::string fontType;
  bool fontIdEnabled = true;
};

// What a dialog's OK button runs: the core's checks, which show any refusal
// themselves. True lets the dialog close; false keeps it open for a correction.
template <typename Fields>
using DialogCheck = std::function<bool(const Fields&)>;

// The New Font dialog also reacts to a change of the font type; the prompt sets
// the new `fontType` and calls `fontTypeChanged` to refresh the other fields.
struct NewFontDialogLogic {
  DialogCheck<NewFontFields> ok;
  std::function<void(NewFontFields&)> fontTypeChanged;
};

}  // namespace dotforge
