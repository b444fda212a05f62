#include "app/app_prompt.h"

#include "app/font_dialogs.h"

namespace dotforge {

bool AppPrompt::RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) {
  CodeEntryDialog dialog(fields, ok, Parent());
  return dialog.exec() == QDialog::Accepted;
}

bool AppPrompt::RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) {
  NewFontDialog dialog(fields, logic, Parent());
  return dialog.exec() == QDialog::Accepted;
}

bool AppPrompt::RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) {
  FontPropertiesDialog dialog(fields, ok, Parent());
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace dotforge
