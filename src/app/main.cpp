#include <QApplication>

#include "app/dotforge_app.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setApplicationName("Dotforge");
  dotforge::CDotforgeApp app;
  app.Start();
  return QApplication::exec();
}
