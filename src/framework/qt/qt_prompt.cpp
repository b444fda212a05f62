#include "framework/qt/qt_prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace dotforge {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QMessageBox::StandardButtons StandardButtonsFor(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

Answer AnswerFor(int button) {
  switch (button) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return Answer::Ok;
  }
}

}  // namespace

QWidget* QtPrompt::Parent() const { return parent_ ? parent_ : QApplication::activeWindow(); }

void QtPrompt::ShowMessage(std::string_view text, MessageKind kind) {
  // Checks inside dialogs use a "Warning" box with the information icon; commands
  // report in a plain box under the program's name.
  const bool warning = kind == MessageKind::Warning;
  QMessageBox box(warning ? QMessageBox::Information : QMessageBox::Warning,
                  warning ? kWarningCaption : kApplicationName, ToQString(text), QMessageBox::Ok, Parent());
  box.exec();
}

Answer QtPrompt::Ask(std::string_view text, Buttons buttons) {
  QMessageBox box(QMessageBox::Question, kApplicationName, ToQString(text), StandardButtonsFor(buttons), Parent());
  return AnswerFor(box.exec());
}

}  // namespace dotforge
