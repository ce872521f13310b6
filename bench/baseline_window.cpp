// The toolkit's floor: the least a Qt Widgets program does to show a window
// the size of the program's, reporting its first paint as the probe does.
#include <QApplication>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(572, 381);
  kviltora::bench::ReportFirstPaint(window);
  window.show();
  return QApplication::exec();
}
