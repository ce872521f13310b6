#include "report.h"

#include "exercise.h"
#include "texts.h"

namespace kviltora {

ExerciseResult ResultOf(const Exercise& exercise) {
  return {exercise.FractionText(), exercise.Count(), exercise.RightFirstTime(),
          exercise.Questions()};
}

// The score is the answers right at the first try out of the questions asked;
// completed, not passed: the exercise has no pass mark.
std::vector<LmsValue> LmsValues(const ExerciseResult& result) {
  return {
      {"cmi.core.score.raw", std::to_string(result.right)},
      {"cmi.core.score.min", "0"},
      {"cmi.core.score.max", std::to_string(result.questions)},
      {"cmi.core.lesson_status", "completed"},
  };
}

std::string LmsRefusal(std::string_view call, std::string_view error) {
  return error.empty() ? practice_texts::LmsRefused(call) : practice_texts::LmsRefused(call, error);
}

}  // namespace kviltora
