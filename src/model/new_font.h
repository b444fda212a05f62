#pragma once
// The New Font dialog, its hand-over to the new font set (`NewFontRequest`) and
// the creation of that font set: 224 blank characters for a single-byte font,
// one at the start code for a double-byte font.

#include <optional>

#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

// The fields as the dialog opens: no name, "Single Byte", 1 x 1, font id 48.
NewFontFields NewFontDialogDefaults();

// Refreshes the fields after the user picked `fields.fontType`: the id or start
// field and its label, and a width or height outside the type's limits.
void ChangeNewFontType(NewFontFields& fields);

// The OK checks in their order; the request when all pass.
std::optional<NewFontRequest> CheckNewFontFields(const NewFontFields& fields, Prompt& prompt);

// Shows the dialog; the request of the accepted fields, nothing on Cancel.
std::optional<NewFontRequest> RunNewFontDialog(Prompt& prompt);

// Fills a fresh font set from the request. The new set is not marked modified.
void CreateNewFontSet(CDotforgeImportDoc& doc, const NewFontRequest& request);

}  // namespace dotforge
