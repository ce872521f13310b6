#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
  // Before the application exists, or test discovery at build time needs a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
