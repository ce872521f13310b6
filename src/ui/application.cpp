#include "application.h"

#include <QApplication>
#include <QStyleFactory>

#include "main_window.h"
#include "procedures.h"

namespace kviltora {

std::unique_ptr<MainWindow> CreateProgramWindow() {
  QApplication::setApplicationVersion(QStringLiteral(KVILTORA_VERSION));
  // Lets the desktop match the window to its menu entry and icon (on Wayland, the app id).
  QApplication::setDesktopFileName(QStringLiteral(KVILTORA_APP_ID));
  // One look on every desktop: the buttons are drawn in their own colours.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  auto window = std::make_unique<MainWindow>();
  OnLoad(window->form());
  return window;
}

}  // namespace kviltora
