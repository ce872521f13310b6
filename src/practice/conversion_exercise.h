#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bases.h"
#include "exercise.h"

namespace kviltora {

// One line of the summary: the worked value beside the pupil's first answer.
struct PupilLine {
  int step = 0;
  std::string asked;   // what the line is about: "387 : 8, частно"
  std::string worked;  // the right value
  std::string pupil;   // the pupil's first answer
  bool differs = false;
};

struct ConversionSummary {
  std::string score;
  std::vector<PupilLine> lines;
  std::string result;              // "387₁₀ = 603₈"
  std::vector<std::string> check;  // the worked example's check, line by line
  std::string said;
};

// The pupil does a conversion of the number-systems part as its worked
// example does it, line by line: division, multiplication, place values or
// groups of bits, then the result, each value checked at once. Every call
// returns what a screen reader says next, as one utterance.
class ConversionExercise {
 public:
  // Starts nothing, and says why, when the number cannot be converted.
  std::string Start(std::string_view number, int from, int to);
  std::string Check(std::string_view answer);
  void End();

  bool Running() const { return running_; }
  bool Finished() const { return running_ && at_ == questions_.size(); }

  const std::string& Refusal() const { return refusal_; }
  const std::string& Heading() const { return heading_; }
  std::string Question() const;  // empty once finished
  const std::string& Feedback() const { return feedback_; }
  Verdict LastVerdict() const { return verdict_; }
  const std::vector<std::string>& Worked() const { return worked_; }
  const ConversionSummary& Summarised() const { return summary_; }  // empty until finished

  // What the pupil is asked, in order: a question, its answer and how it is compared.
  enum class Compare { kNumber, kDigit, kPeriodic };
  struct Asked {
    std::string question;
    std::string hint;
    std::string asked;     // for the summary
    std::string expected;  // as the worked example writes it
    int base = 10;         // the base the answer is written in
    Compare compare = Compare::kNumber;
    std::string workedLine;  // the pupil's sheet, once answered
  };
  const std::vector<Asked>& Questions() const { return questions_; }

 private:
  bool Counts(const Asked& asked, std::string_view answer) const;
  std::string Said() const;
  void Advance();

  bool running_ = false;
  std::string refusal_;
  std::string heading_;
  bases::Conversion conversion_;
  std::vector<Asked> questions_;
  std::vector<std::string> firstAnswers_;
  std::size_t at_ = 0;
  int wrongTries_ = 0;
  int rightFirstTime_ = 0;
  std::string feedback_;
  Verdict verdict_ = Verdict::kNone;
  std::vector<std::string> worked_;
  ConversionSummary summary_;
};

// A number with a period as a pupil may write it, "0.0(0011)", "0,00(011)", in
// one form for comparing: the period as short and as early as it can be,
// capitals for A–F. Nothing for anything else.
struct PeriodicNumber {
  std::string whole, before, period;
  bool operator==(const PeriodicNumber&) const = default;
};
std::optional<PeriodicNumber> HandWrittenPeriodic(std::string_view text, int base);

}  // namespace kviltora
