#include "framework/scripted_prompt.h"

namespace dotforge {
namespace {

// Presses OK with each scripted answer in turn until the check lets the dialog close.
template <typename Fields, typename Edit, typename Check, typename Apply>
bool RunScriptedDialog(std::deque<std::optional<Edit>>& answers, Fields& fields, const Check& ok, Apply apply) {
  while (!answers.empty()) {
    const std::optional<Edit> answer = std::move(answers.front());
    answers.pop_front();
    if (!answer) return false;
    apply(fields, *answer);
    if (ok(fields)) return true;
  }
  return false;
}

template <typename T>
void SetIfGiven(T& field, const std::optional<T>& value) {
  if (value) field = *value;
}

}  // namespace

void ScriptedPrompt::ShowMessage(std::string_view text, MessageKind kind) {
  entries_.push_back({Entry::Type::Message, std::string(text), kind, Buttons::Ok});
}

Answer ScriptedPrompt::Ask(std::string_view text, Buttons buttons) {
  entries_.push_back({Entry::Type::Question, std::string(text), MessageKind::Plain, buttons});
  if (answers_.empty()) return fallback_;
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool ScriptedPrompt::RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) {
  entries_.push_back({Entry::Type::Dialog, CodeEntryFields::kCaption});
  return RunScriptedDialog(codeEntries_, fields, ok,
                           [](CodeEntryFields& f, const std::string& code) { f.code = code; });
}

bool ScriptedPrompt::RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) {
  entries_.push_back({Entry::Type::Dialog, NewFontFields::kCaption});
  return RunScriptedDialog(newFonts_, fields, logic.ok, [&logic](NewFontFields& f, const NewFontEdit& edit) {
    if (edit.fontType && *edit.fontType != f.fontType) {
      f.fontType = *edit.fontType;
      logic.fontTypeChanged(f);
    }
    SetIfGiven(f.fileName, edit.fileName);
    SetIfGiven(f.width, edit.width);
    SetIfGiven(f.height, edit.height);
    SetIfGiven(f.idOrStart, edit.idOrStart);
  });
}

bool ScriptedPrompt::RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) {
  entries_.push_back({Entry::Type::Dialog, FontPropertiesFields::kCaption});
  openedFontProperties_.push_back(fields);
  return RunScriptedDialog(fontProperties_, fields, ok, [](FontPropertiesFields& f, const FontPropertiesEdit& edit) {
    SetIfGiven(f.width, edit.width);
    SetIfGiven(f.height, edit.height);
    if (f.fontIdEnabled) SetIfGiven(f.fontId, edit.fontId);
  });
}

void ScriptedPrompt::QueueCodeEntry(std::optional<std::string> code) { codeEntries_.push_back(std::move(code)); }

void ScriptedPrompt::QueueNewFont(std::optional<NewFontEdit> edit) { newFonts_.push_back(std::move(edit)); }

void ScriptedPrompt::QueueFontProperties(std::optional<FontPropertiesEdit> edit) {
  fontProperties_.push_back(std::move(edit));
}

template <typename Request, typename Reply>
std::optional<Reply> ScriptedPrompt::RunDialog(ScriptedDialog<Request, Reply>& dialog, std::string_view title,
                                               const Request& request) {
  entries_.push_back({Entry::Type::Dialog, std::string(title), MessageKind::Plain, Buttons::OkCancel});
  dialog.requests.push_back(request);
  if (dialog.answers.empty()) return std::nullopt;
  std::optional<Reply> answer = std::move(dialog.answers.front());
  dialog.answers.pop_front();
  return answer;
}

std::optional<ExportDialogAnswer> ScriptedPrompt::RunExportFileDialog(const ExportDialogRequest& request) {
  return RunDialog(export_, request.title, request);
}

std::optional<ImportDialogAnswer> ScriptedPrompt::RunImportFileDialog(const ImportDialogRequest& request) {
  return RunDialog(import_, request.title, request);
}

std::optional<FontFacesAnswer> ScriptedPrompt::RunFontFacesDialog(const FontFacesRequest& request) {
  return RunDialog(fontFaces_, "TrueType Font Faces", request);
}

void ScriptedPrompt::QueueAnswers(std::initializer_list<Answer> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<std::string> ScriptedPrompt::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(entries_.size());
  for (const Entry& entry : entries_) texts.push_back(entry.text);
  return texts;
}

}  // namespace dotforge
