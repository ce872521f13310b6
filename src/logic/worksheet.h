#pragma once

#include <string>
#include <vector>

#include "links.h"

namespace kviltora {

struct MainForm;

// A worksheet of exercises for a class, with its answer key, every text the
// program's own: the fractions drawn as a proposal draws them from a seed, the
// answers as the calculation writes them.
struct SheetExercise {
  std::string heading;   // "1. Дроб 0.37, брой цифри 10"
  std::string fraction;  // as the input box would hold it
  std::string result;    // the binary result line of the trace
  std::string sum;       // the trace's last line, the value converted back
  std::string exact;     // the exact binary form, its period in parentheses
};

struct Worksheet {
  std::string title;
  std::string task;  // what the pupil does with each fraction
  std::vector<SheetExercise> exercises;
  // Lines of ruled space under each exercise, one for each doubling the count allows.
  int ruledLines = 0;
  std::string keyTitle;
};

inline constexpr int kSheetExercises = 10;

// A new worksheet of the ranges and counts the window has chosen, "100" and "10"
// where it has none, with a new seed.
SheetChoice NewSheet(const MainForm& form);

// The same choice draws the same sheet on any day, and the window's own
// proposals go on as if no sheet had been drawn.
Worksheet DrawWorksheet(const SheetChoice& choice);

// What the page's buttons for the sheet say.
struct SheetCaptions {
  const char* open;   // opens a new sheet from the window
  const char* print;  // prints the sheet shown
  const char* back;   // back to the window
};
const SheetCaptions& SheetButtonCaptions();

}  // namespace kviltora
