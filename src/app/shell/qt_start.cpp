#include "app/shell/qt_start.h"

#include <cstdio>
#include <cstdlib>

#include "app/shell/app_messages.h"

namespace dotforge {
namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's messages pass on as usual; its fatal one while it looks for a display ends
// the program here, before Qt aborts.
void OnStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    qtHandler(type, context, text);
    return;
  }
  std::fputs(msg::kNoDisplay, stderr);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> StartQtOrExit(int& argc, char** argv) {
  qtHandler = qInstallMessageHandler(OnStartMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  return application;
}

}  // namespace dotforge
