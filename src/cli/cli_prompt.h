#pragma once
// The command-line tool's prompt: messages go to stderr, questions are answered
// OK (or Yes) and their texts printed to stderr too.

#include <ostream>

#include "framework/prompt.h"

namespace dotforge::cli {

class CliPrompt : public Prompt {
 public:
  explicit CliPrompt(std::ostream& errors) : errors_(errors) {}

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;

  int MessageCount() const { return messages_; }

 private:
  std::ostream& errors_;
  int messages_ = 0;
};

}  // namespace dotforge::cli
