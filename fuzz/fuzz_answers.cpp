// What a pupil may type into the answer box, and an exercise fed such answers
// to its end. The input's first line is the fraction, its second the count,
// every further line one answer.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact_decimal.h"
#include "exercise.h"
#include "fuzz_check.h"
#include "texts.h"

namespace kviltora {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// A number as the exercise compares it: no blanks or sign, no leading zero
// before another digit, no trailing zero after the point, and read the same again.
void CheckHandWritten(std::string_view text) {
  const auto number = HandWrittenNumber(text);
  if (!number) return;
  const std::string& n = *number;
  const std::string detail(text);
  fuzz::Require(!n.empty() && n.find_first_not_of("0123456789.") == std::string::npos,
                "only digits and a point", detail);
  fuzz::Require(n.size() == 1 || n[0] != '0' || n[1] == '.', "no leading zero", detail);
  fuzz::Require(n.find('.') == std::string::npos || (n.back() != '0' && n.back() != '.'),
                "no trailing zero or point", detail);
  fuzz::Require(HandWrittenNumber(n) == number, "read the same again", detail);
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

void CheckFeedback(const Exercise& exercise, std::string_view answer) {
  const std::string& said = exercise.Feedback();
  const bool blank = answer.find_first_not_of(" \t") == std::string_view::npos;
  const bool judged = StartsWith(said, "Вярно.") || StartsWith(said, "Не е вярно.");
  fuzz::Require(blank ? said == practice_texts::Blank() : judged,
                "feedback judges the answer, or asks for one", std::string(answer));
}

// "Верни от първия опит: R от Q." with R at most Q.
void CheckScore(const std::string& score) {
  std::vector<long> numbers;
  for (std::size_t at = score.find_first_of("0123456789"); at != std::string::npos;
       at = score.find_first_of("0123456789", at)) {
    std::size_t end = score.find_first_not_of("0123456789", at);
    numbers.push_back(std::stol(score.substr(at, end - at)));
    at = end;
  }
  fuzz::Require(numbers.size() == 2 && numbers[0] <= numbers[1], "the score is R of Q, R <= Q",
                score);
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckHandWritten(input);
  const std::vector<std::string_view> lines = Lines(input);
  Exercise exercise;
  exercise.Start(lines[0], lines.size() > 1 ? std::optional(lines[1]) : std::nullopt);
  if (!exercise.Running()) return 0;
  // Every question is settled by its second answer that is not blank, so the
  // answers given, then a wrong one over and over, must end it.
  const std::size_t bound = 4 * 26 + 2 * lines.size();
  for (std::size_t i = 2; i < bound && !exercise.Finished(); ++i) {
    const std::string_view answer = i < lines.size() ? lines[i] : std::string_view("x");
    CheckHandWritten(answer);
    exercise.Check(answer);
    CheckFeedback(exercise, answer);
  }
  fuzz::Require(exercise.Finished(), "wrong answers end the exercise", std::string(input));
  CheckScore(exercise.Summarised().score);
  return 0;
}
