#pragma once

class QWidget;

namespace kviltora::bench {

// Once `window` is exposed and completely painted for the first time, prints
// "painted <wall clock in microseconds since the epoch> <VmHWM in kB>" on
// stdout and quits the application. The runner that spawned the process
// subtracts its own spawn time, so the figure spans the whole start-up.
void ReportFirstPaint(QWidget& window);

}  // namespace kviltora::bench
