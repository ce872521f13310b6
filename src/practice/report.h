#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kviltora {

class Exercise;

// A finished exercise as those around the page collect it: a learning platform
// through its SCORM 1.2 data model, a teacher's own page through one message.
struct ExerciseResult {
  std::string fraction;  // as the computer reads the pupil's input
  int count = 0;         // the count chosen: at most count - 1 digits
  int right = 0;         // answers right at the first try
  int questions = 0;
};
ExerciseResult ResultOf(const Exercise& exercise);

// Data model elements and their values, in the order the platform is given them.
using LmsValue = std::pair<std::string, std::string>;
std::vector<LmsValue> LmsValues(const ExerciseResult& result);

// The type a framing page recognises the message by.
inline constexpr std::string_view kExerciseMessageType = "kviltora-exercise";

// How many parents up the API is looked for: the runtime's own search gives up
// after seven, so that a page framed by frames of its own never loops.
inline constexpr int kLmsApiSearchDepth = 7;

// The console's one line when the platform refuses a call: the exercise goes on.
std::string LmsRefusal(std::string_view call, std::string_view error);

}  // namespace kviltora
