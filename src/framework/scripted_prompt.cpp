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
