#include <QApplication>
#include <iostream>

#include "app/shell/accessibility_guard.h"
#include "app/shell/app_messages.h"
#include "app/session/command_line.h"
#include "app/shell/dotforge_app.h"
#include "app/shell/qt_start.h"

namespace {

std::vector<std::string> Arguments(const QStringList& words) {
  std::vector<std::string> arguments;
  for (qsizetype i = 1; i < words.size(); ++i) arguments.push_back(words[i].toStdString());
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  using dotforge::CommandLine;
  // Help and version need no window system, so they are answered before Qt starts.
  const CommandLine early = dotforge::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (early.action == CommandLine::Action::Version) {
    std::cout << dotforge::VersionText() << '\n';
    return 0;
  }
  if (early.action == CommandLine::Action::Help) {
    std::cout << dotforge::msg::kDesktopUsage;
    return 0;
  }
  const std::unique_ptr<QApplication> qt = dotforge::StartQtOrExit(argc, argv);
  dotforge::GuardAccessibilityBus();
  QApplication::setApplicationName("Dotforge");
  QApplication::setDesktopFileName("dotforge");
  // Qt has taken its own options out by now; what is left is ours.
  const CommandLine line = dotforge::ParseCommandLine(Arguments(QApplication::arguments()));
  if (line.action == CommandLine::Action::Usage) {
    std::cerr << "dotforge: " << line.error << '\n' << dotforge::msg::kDesktopUsage;
    return 2;
  }
  dotforge::CDotforgeApp app;
  app.Start();
  app.OpenFiles(line.files);
  return QApplication::exec();
}
