// The toolkit's floor for any window with text: the baseline plus one label,
// which is enough to make the toolkit load its font configuration and a font.
#include <QApplication>
#include <QLabel>

#include "first_paint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(572, 381);
  new QLabel(QStringLiteral("Квилтора"), &window);
  kviltora::bench::ReportFirstPaint(window);
  window.show();
  return QApplication::exec();
}
