#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace kviltora::bench {
namespace {

long PeakResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long kilobytes = -1;
  while (status >> key && key != "VmHWM:") status.ignore(1024, '\n');
  status >> kilobytes;
  return kilobytes;
}

void Report() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::printf(
      "painted %lld %ld\n",
      static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
      PeakResidentKilobytes());
  std::fflush(stdout);
  QCoreApplication::quit();
}

class FirstPaintWatcher : public QObject {
 public:
  explicit FirstPaintWatcher(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    // A grab or a render paints a window that is not on screen; only a paint
    // of an exposed window shows it.
    const QWindow* handle = window->windowHandle();
    if (event->type() == QEvent::Paint && handle && handle->isExposed()) {
      window->removeEventFilter(this);
      // The window is painted before its children and before the frame goes
      // to the screen; a queued report runs only once all that is done.
      QMetaObject::invokeMethod(qApp, &Report, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

void ReportFirstPaint(QWidget& window) {
  new FirstPaintWatcher(window);
}

}  // namespace kviltora::bench
