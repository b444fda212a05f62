#pragma once
// Message boxes over the active window. The program's own dialogs are added by
// the application's prompt, which derives from this one.

#include <QWidget>

#include "framework/prompt.h"

namespace dotforge {

inline constexpr const char* kApplicationName = "Dotforge";
inline constexpr const char* kWarningCaption = "Warning";

// Shows one message box over `parent` (the active window when null): commands
// report in a plain box under the program's name, checks inside dialogs in a
// "Warning" box with the information icon.
void ShowMessageBox(QWidget* parent, std::string_view text, MessageKind kind = MessageKind::Plain);

class QtPrompt : public Prompt {
 public:
  // Boxes are parented to `parent` (or to the active window when it is null).
  explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;

 protected:
  QWidget* Parent() const;

 private:
  QWidget* parent_;
};

}  // namespace dotforge
