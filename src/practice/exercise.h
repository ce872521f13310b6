#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact_decimal.h"

namespace kviltora {

struct MainForm;

// One line of the summary: the exact product beside the computer's trace
// line for the same step; `computer` is empty where its trace has no such step.
struct ComparedLine {
  int step = 0;
  std::string exact;
  std::string computer;
  bool differs = false;
};

struct Summary {
  std::string score;  // right at the first try, out of how many
  std::vector<ComparedLine> lines;
  std::string why;          // why the two columns differ, or agree
  std::string exactBinary;  // the fraction's exact binary form
  std::string binaryNote;   // whether it ends, and how long its period is
  std::string said;         // all of it as one utterance
};

// Whether the last answer was right, for the page's mark beside the feedback.
enum class Verdict { kNone, kRight, kWrong };

// The pupil does the doubling that the window shows: for each step the
// product, then the digit, then the binary fraction, each checked at once.
// Every call returns what a screen reader says next, as one utterance.
class Exercise {
 public:
  // `count` is the item chosen in the digit-count list, nothing when none is.
  // Starts nothing, and says why, when the fraction cannot be practised.
  std::string Start(std::string_view fraction, std::optional<std::string_view> count);
  std::string Check(std::string_view answer);
  void End();

  bool Running() const { return running_; }
  bool Finished() const { return running_ && step_ == Step::kDone; }

  const std::string& Refusal() const { return refusal_; }
  std::string Heading() const;
  std::string Question() const;  // empty once finished
  const std::string& Feedback() const { return feedback_; }
  Verdict LastVerdict() const { return verdict_; }
  // The steps done so far, one line each, as on the pupil's sheet.
  const std::vector<std::string>& Worked() const { return worked_; }
  const Summary& Summarised() const { return summary_; }  // empty until finished
  // What the exercise is on and how it went so far, for those who collect results.
  const std::string& FractionText() const { return fractionText_; }
  int Count() const { return count_; }
  int RightFirstTime() const { return rightFirstTime_; }
  int Questions() const { return questions_; }

 private:
  enum class Step { kProduct, kDigit, kBinary, kDone };

  std::string Expected() const;
  std::string Hint() const;
  void Advance();
  std::string Said() const;
  Summary Summarise() const;

  bool running_ = false;
  std::string refusal_;
  std::string fractionText_;  // the input as the computer reads it, for its trace
  // The number as the window shows it, where it has a whole part or a sign
  // that the exercise leaves aside; empty for a fraction alone.
  std::string wholeNumber_;
  ExactDecimal fraction_;
  int count_ = 0;  // as chosen: at most count_ - 1 digits
  Step step_ = Step::kDone;
  ExactDecimal remainder_;
  ExactDecimal product_;
  std::string digits_;
  std::vector<std::string> products_;
  int wrongTries_ = 0;  // at the current question
  int questions_ = 0;
  int rightFirstTime_ = 0;
  std::string feedback_;
  Verdict verdict_ = Verdict::kNone;
  std::vector<std::string> worked_;
  Summary summary_;
};

// The exercise's fraction and count as the window holds them now.
struct PracticeInput {
  std::string fraction;
  std::optional<std::string> count;
};
PracticeInput PracticeInputOf(const MainForm& form);

}  // namespace kviltora
