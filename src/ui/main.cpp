#include <QApplication>
#include <QStyleFactory>

#include "main_window.h"
#include "procedures.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // One look on every desktop: the buttons are drawn in their own colours.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  kviltora::MainWindow window;
  kviltora::OnLoad(window.form());
  window.show();
  return QApplication::exec();
}
