#pragma once
// A prompt that records every text shown, in order, and answers questions from a
// script. Used by the tests to check exact messages.

#include <deque>
#include <string>
#include <vector>

#include "framework/prompt.h"

namespace dotforge {

class ScriptedPrompt : public Prompt {
 public:
  struct Entry {
    enum class Type { Message, Question } type;
    std::string text;
    MessageKind kind = MessageKind::Plain;
    Buttons buttons = Buttons::Ok;
  };

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;

  // Answers given to the next questions in order; once used up, `fallback` answers.
  void QueueAnswers(std::initializer_list<Answer> answers);
  void SetFallbackAnswer(Answer answer) { fallback_ = answer; }

  const std::vector<Entry>& Entries() const { return entries_; }
  std::vector<std::string> Texts() const;
  void Clear() { entries_.clear(); }

 private:
  std::vector<Entry> entries_;
  std::deque<Answer> answers_;
  Answer fallback_ = Answer::Yes;
};

}  // namespace dotforge
