#pragma once

#include <memory>

namespace kviltora {

class MainWindow;

// The program's window as it opens, its look set and its form loaded. Showing
// it is left to the caller, so that a start-up probe can watch it appear.
std::unique_ptr<MainWindow> CreateProgramWindow();

}  // namespace kviltora
