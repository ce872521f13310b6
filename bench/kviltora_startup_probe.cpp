// The program's start-up exactly as main runs it, reporting its first paint.
#include <QApplication>

#include "application.h"
#include "first_paint.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const auto window = kviltora::CreateProgramWindow();
  kviltora::bench::ReportFirstPaint(*window);
  window->show();
  return QApplication::exec();
}
