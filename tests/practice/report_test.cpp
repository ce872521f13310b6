#include "report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "exercise.h"

namespace kviltora {
namespace {

// Each exercise answered in full, wrong answers included, and what the platform
// and a framing page then hold; the answers and counts worked out by hand from
// the doublings (0.375: 0.75 1.5 1; 0.45: 0.9 1.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4).
// A second wrong answer is answered for the pupil, and the next question comes.
struct ReportCase {
  const char* fraction;
  const char* count;
  const char* answers;  // "x" is a wrong answer
  ExerciseResult result;
};

const ReportCase kReports[] = {
    {"0.375", "6", "0.75 0 1.5 1 1 1 0.011", {"0.375", 6, 7, 7}},
    {"0.375", "6", "x 0.75 0 x x 1 1 1 0.011", {"0.375", 6, 5, 7}},
    {"0.375", "6", "x x 0 1.5 1 1 1 x x", {"0.375", 6, 5, 7}},
    {"0.45",
     "10",
     "x 0.9 0 1.8 1 1.6 1 1.2 1 0.4 0 0.8 0 1.6 1 1.2 1 0.4 0 0.011100110",
     {"0.45", 10, 18, 19}},
};

TEST(Report, HoldsTheRightAnswersAtTheFirstTryOutOfTheQuestions) {
  for (const ReportCase& c : kReports) {
    SCOPED_TRACE(c.answers);
    Exercise exercise;
    exercise.Start(c.fraction, c.count);
    std::istringstream answers(c.answers);
    for (std::string answer; answers >> answer;) exercise.Check(answer);
    ASSERT_TRUE(exercise.Finished());
    const ExerciseResult result = ResultOf(exercise);
    EXPECT_EQ(result.fraction, c.result.fraction);
    EXPECT_EQ(result.count, c.result.count);
    EXPECT_EQ(result.right, c.result.right);
    EXPECT_EQ(result.questions, c.result.questions);
    const std::vector<LmsValue> expected = {
        {"cmi.core.score.raw", std::to_string(c.result.right)},
        {"cmi.core.score.min", "0"},
        {"cmi.core.score.max", std::to_string(c.result.questions)},
        {"cmi.core.lesson_status", "completed"},
    };
    EXPECT_EQ(LmsValues(result), expected);
  }
}

}  // namespace
}  // namespace kviltora
