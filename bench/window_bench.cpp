// The real window, offscreen: a calculation as the user starts it, with the
// redraw it causes, and a paint of the whole window.
#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstdint>
#include <memory>

#include "application.h"
#include "main_window.h"

namespace kviltora {
namespace {

constexpr std::int16_t kLargestCountRow = 21;  // "26", so 25 digits
constexpr std::array kInputs = {"0.45", "0.1", "0.3"};

// Counts the paint events a widget receives, to prove the redraw was measured.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  long count() const { return count_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    count_ += event->type() == QEvent::Paint;
    return false;
  }

 private:
  long count_ = 0;
};

template <typename W>
W* Control(QWidget& window, const char* name) {
  return window.findChild<W*>(QString::fromUtf8(name));
}

// Runs the event loop until nothing is left: the posted update requests, which
// paint, and the lists' zero-time layout timers, which post more of them.
void SettleEvents() {
  while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) {
  }
}

std::unique_ptr<MainWindow> ShownProgramWindow(benchmark::State& state) {
  auto window = CreateProgramWindow();
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) state.SkipWithError("window never exposed");
  SettleEvents();
  return window;
}

benchmark::Counter PerIteration(const PaintCounter& paints) {
  return {static_cast<double>(paints.count()), benchmark::Counter::kAvgIterations};
}

// Each iteration types the next input into the model, as the line edit does,
// so that the trace and the digits differ from the last ones and are redrawn.
// The paint counters show that every iteration painted both.
void BM_WindowCalculate(benchmark::State& state) {
  const auto window = ShownProgramWindow(state);
  window->form().Diapazon[1].Select(kLargestCountRow);
  auto* button = Control<QPushButton>(*window, "Command1(0)");
  PaintCounter outputPaints(Control<QPlainTextEdit>(*window, "Text1(2)")->viewport());
  PaintCounter digitPaints(Control<QListWidget>(*window, "Diapazon(2)")->viewport());
  std::size_t next = 0;
  for (auto _ : state) {
    window->form().Text1[1].Text = kInputs[next++ % kInputs.size()];
    QTest::mouseClick(button, Qt::LeftButton);
    SettleEvents();
  }
  state.counters["output_paints"] = PerIteration(outputPaints);
  state.counters["digit_paints"] = PerIteration(digitPaints);
}
BENCHMARK(BM_WindowCalculate)->Unit(benchmark::kMillisecond);

// What the whole window costs to paint, as when it is uncovered.
void BM_WindowRepaint(benchmark::State& state) {
  const auto window = ShownProgramWindow(state);
  PaintCounter windowPaints(window.get());
  for (auto _ : state) window->repaint();
  state.counters["window_paints"] = PerIteration(windowPaints);
}
BENCHMARK(BM_WindowRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kviltora

int main(int argc, char* argv[]) {
  benchmark::Initialize(&argc, argv);
  // Before the application exists: the window is drawn into memory, not on a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
