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

void ShowMessageBox(QWidget* parent, std::string_view text, MessageKind kind) {
  const bool warning = kind == MessageKind::Warning;
  QMessageBox box(warning ? QMessageBox::Information : QMessageBox::Warning,
                  warning ? kWarningCaption : kApplicationName, ToQString(text), QMessageBox::Ok,
                  parent ? parent : QApplication::activeWindow());
  box.exec();
}

void QtPrompt::ShowMessage(std::string_view text, MessageKind kind) { ShowMessageBox(Parent(), text, kind); }

Answer QtPrompt::Ask(std::string_view text, Buttons buttons) {
  QMessageBox box(QMessageBox::Question, kApplicationName, ToQString(text), StandardButtonsFor(buttons), Parent());
  return AnswerFor(box.exec());
}

}  // namespace dotforge
