#include "framework/scripted_prompt.h"

namespace dotforge {

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

std::optional<FontPropertiesAnswer> ScriptedPrompt::RunFontPropertiesDialog(const FontPropertiesRequest& request) {
  return RunDialog(fontProperties_, "Font Properties", request);
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
