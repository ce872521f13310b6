#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

// The window tests again on a screen of device pixel ratio 2, as on a high-DPI
// monitor: Qt scales every logical pixel to two device pixels.
int main(int argc, char* argv[]) {
  // Before the application exists, which reads them once.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  qunsetenv("QT_SCREEN_SCALE_FACTORS");
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
