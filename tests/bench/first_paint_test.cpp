#include "first_paint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <sstream>
#include <string>

namespace kviltora::bench {
namespace {

long long MicrosecondsSinceEpoch() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

// Shows the window and runs the application until the report quits it; a
// report that never comes ends the run after ten seconds instead. Quitting
// closes the window, so it is shown and painted once more, unreported.
std::string ShowUntilReported(QWidget& window) {
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, qApp, &QCoreApplication::quit);
  giveUp.start(10'000);
  testing::internal::CaptureStdout();
  window.show();
  QApplication::exec();
  EXPECT_TRUE(giveUp.isActive()) << "no report of the first paint";
  window.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.repaint();
  QCoreApplication::processEvents();
  return testing::internal::GetCapturedStdout();
}

TEST(FirstPaint, ReportsTheShownWindowOnceWithTheClockAndThePeakMemory) {
  QWidget window;
  window.resize(200, 100);
  ReportFirstPaint(window);
  const long long shownAt = MicrosecondsSinceEpoch();
  std::istringstream report(ShowUntilReported(window));
  std::string word;
  long long paintedAt = 0;
  long kilobytes = 0;
  report >> word >> paintedAt >> kilobytes;
  EXPECT_EQ(word, "painted");
  EXPECT_GE(paintedAt, shownAt);
  EXPECT_LE(paintedAt, MicrosecondsSinceEpoch());
  EXPECT_GT(kilobytes, 1000);  // no Qt program holds less than a megabyte
  EXPECT_FALSE(report >> word) << "reported more than once";
}

TEST(FirstPaint, TakesNoGrabOfTheHiddenWindowForItsFirstPaint) {
  QWidget window;
  window.resize(200, 100);
  ReportFirstPaint(window);
  testing::internal::CaptureStdout();
  (void)window.grab();
  (void)window.winId();  // a window of the platform now, but not yet exposed
  (void)window.grab();
  QCoreApplication::processEvents();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(ShowUntilReported(window).rfind("painted ", 0), 0u);
}

}  // namespace
}  // namespace kviltora::bench
