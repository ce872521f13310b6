#include <QApplication>

#include "application.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const auto window = kviltora::CreateProgramWindow();
  window->show();
  return QApplication::exec();
}
