#pragma once

#include <array>

#include "controls.h"

namespace kviltora {

// The one window's whole state. Every control is addressed as in
// `Text1[2]`, the array name and the index.
struct MainForm {
  MainForm();

  std::array<TextBox, 3> Text1;
  std::array<ListBox, 3> Diapazon;
  std::array<CommandButton, 2> Command1;
  std::array<Label, 5> Etiket;

  bool operator==(const MainForm&) const = default;
};

// What the description and output boxes hold when the window first opens.
std::string InitialDescription();
std::string InitialSampleTrace();

}  // namespace kviltora
