#pragma once

#include <string>
#include <vector>

#include "links.h"

namespace kviltora {

struct MainForm;

// A worksheet of tasks for a class, with its answer key, every text the
// program's own: the numbers drawn from a seed, the answers worked exactly.
struct SheetExercise {
  char kind = 'd';       // one of kSheetKindLetters
  std::string heading;   // "1. Дроб 0.37, брой цифри 10"
  std::string fraction;  // a doubling's fraction, as the input box would hold it
  // The labelled lines the pupil writes on: short ones for the steps, side
  // by side, and whole lines for the result and the check.
  std::vector<std::string> stepLines;
  std::vector<std::string> wholeLines;
  std::vector<std::string> key;  // every step's values, the result and the check
  // A doubling's result, its value converted back exactly, and its exact binary form.
  std::string result;
  std::string sum;
  std::string exact;
};

struct Worksheet {
  std::string title;
  std::vector<std::string> pupil;  // what the pupil writes at the top: name, class, date
  std::string task;                // what the pupil does with each task
  std::vector<SheetExercise> exercises;
  int ruledLines = 0;  // the doublings the count allows, up to kMostStepsByHand, a line for each
  std::string keyTitle;
  std::string kinds;  // the letters of the kinds it holds
};

inline constexpr int kSheetExercises = 10;
// More steps than this a pupil is not asked to do by hand: the task stops there.
inline constexpr int kMostStepsByHand = 12;

// The same choice draws the same sheet on any day, and the window's own
// proposals go on as if no sheet had been drawn. The tasks take the kinds in
// turn; no task repeats, and no doubling has a number without a fraction, so a
// range with fewer such fractions than tasks gives fewer doublings.
Worksheet DrawWorksheet(const SheetChoice& choice);

// What the page's buttons and choices for the sheet say.
struct SheetCaptions {
  const char* open;        // opens a new sheet from the window
  const char* print;       // prints the sheet shown
  const char* back;        // back to the window
  const char* showKey;     // shows the key on screen
  const char* hideKey;     // hides it again
  const char* withoutKey;  // prints the sheet without its key
  const char* kindsLegend;
};
const SheetCaptions& SheetButtonCaptions();
// The name of each kind of task, in the order of kSheetKindLetters.
const std::vector<std::string>& SheetKindNames();

}  // namespace kviltora
