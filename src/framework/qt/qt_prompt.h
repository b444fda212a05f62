#pragma once
// The desktop program's prompt: real message boxes over the active window.

#include <QWidget>

#include "framework/prompt.h"

namespace dotforge {

inline constexpr const char* kApplicationName = "Dotforge";
inline constexpr const char* kWarningCaption = "Warning";

class QtPrompt : public Prompt {
 public:
  // Boxes are parented to `parent` (or to the active window when it is null).
  explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;

 private:
  QWidget* Parent() const;

  QWidget* parent_;
};

}  // namespace dotforge
