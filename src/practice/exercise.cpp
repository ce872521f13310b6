#include "exercise.h"

#include <algorithm>
#include <cmath>

#include "form_model.h"
#include "number_text.h"
#include "refusals.h"
#include "texts.h"

namespace kviltora {
namespace {

namespace texts = practice_texts;

bool IsZero(ExactDecimal x) {
  return x.numerator == 0;
}

// The counts the window offers are the only ones an exercise takes, however
// it is started.
std::optional<std::string> CountRefusal(std::string_view count, int& chosen) {
  const ListBox counts = MainForm().Diapazon[1];
  for (std::int16_t i = 0; i < counts.ListCount(); ++i) {
    if (counts.List(i) == count) {
      chosen = static_cast<int>(ParseLeadingNumber(count));
      return std::nullopt;
    }
  }
  return texts::CountOutside(counts.List(0), counts.List(counts.ListCount() - 1));
}

std::optional<std::string> FractionRefusal(FractionReading reading) {
  switch (reading) {
    case FractionReading::kRead:
      return std::nullopt;
    case FractionReading::kNotANumber:
      return texts::NotANumber();
    case FractionReading::kNoFraction:
      return texts::NoFraction();
    case FractionReading::kTooManyDecimals:
      break;
  }
  return texts::TooManyDecimals(kMostExactDecimals);
}

// The trace lines the computer writes for the same input and count, in
// doubles, as the window's conversion writes them.
std::vector<std::string> ComputerProducts(std::string_view fraction, int count) {
  const double x = std::abs(ParseLeadingNumber(fraction));
  double frac = x - Int(x);
  std::vector<std::string> lines;
  for (int h = 1; h < count && frac > 0; ++h) {
    lines.push_back(FormatGeneral(2 * frac));
    frac = 2 * frac;
    frac = frac - Int(frac);
  }
  return lines;
}

// An exact product as the computer would write it if its double held it
// exactly, so that only a departure in value marks a line, never 2.4E-05
// beside 0.000024. Eleven significant digits at most: 15 carry it exactly.
std::string InComputerNotation(const std::string& exact) {
  return exact.empty() ? exact : FormatGeneral(ParseLeadingNumber(exact));
}

std::string Joined(std::string said, const std::string& more) {
  if (more.empty()) return said;
  return said.empty() ? more : said + " " + more;
}

}  // namespace

std::string Exercise::Start(std::string_view fraction, std::optional<std::string_view> count) {
  *this = Exercise();
  const ExactFraction read = ReadExactFraction(fraction);
  if (!count) {
    refusal_ = kChooseCount;
  } else if (auto outside = CountRefusal(*count, count_)) {
    refusal_ = *outside;
  } else if (OverflowsADouble(fraction)) {
    refusal_ = kTooLarge;  // as the window refuses it, before it looks at any fraction
  } else if (auto unfit = FractionRefusal(read.reading)) {
    refusal_ = *unfit;
  }
  if (!refusal_.empty()) return refusal_;
  running_ = true;
  fractionText_ = fraction;
  fraction_ = read.fraction;
  const double number = ParseLeadingNumber(fraction);
  if (number < 0 || number >= 1) wholeNumber_ = FormatGeneral(number);
  remainder_ = fraction_;
  product_ = Doubled(remainder_);
  step_ = Step::kProduct;
  return Said();
}

std::string Exercise::Check(std::string_view answer) {
  if (!running_ || step_ == Step::kDone) return {};
  const std::optional<std::string> number = HandWrittenNumber(answer);
  if (answer.find_first_not_of(" \t") == std::string_view::npos) {
    feedback_ = texts::Blank();
    verdict_ = Verdict::kNone;
    return feedback_;
  }
  verdict_ = number == Expected() ? Verdict::kRight : Verdict::kWrong;
  if (verdict_ == Verdict::kRight) {
    if (wrongTries_ == 0) ++rightFirstTime_;
    feedback_ = texts::Right();
  } else if (++wrongTries_ == 1) {
    feedback_ = texts::WrongWithHint(Hint());
    return feedback_;
  } else {
    feedback_ = texts::WrongWithAnswer(Expected());
  }
  Advance();
  return Said();
}

void Exercise::End() {
  *this = Exercise();
}

std::string Exercise::Heading() const {
  if (!running_) return {};
  const std::string fraction = DecimalText(fraction_);
  return wholeNumber_.empty() ? texts::Heading(fraction)
                              : texts::HeadingOfFractionalPart(wholeNumber_, fraction);
}

std::string Exercise::Question() const {
  // The product of a step is kept as soon as it is answered, before its digit.
  const int step = static_cast<int>(products_.size()) + (step_ == Step::kDigit ? 0 : 1);
  switch (step_) {
    case Step::kProduct:
      return texts::ProductQuestion(step, DecimalText(remainder_));
    case Step::kDigit:
      return texts::DigitQuestion(step, DecimalText(product_));
    case Step::kBinary:
      return texts::BinaryQuestion();
    case Step::kDone:
      break;
  }
  return {};
}

std::string Exercise::Expected() const {
  switch (step_) {
    case Step::kProduct:
      return DecimalText(product_);
    case Step::kDigit:
      return std::to_string(IntegerPart(product_));
    case Step::kBinary:
      return *HandWrittenNumber("0." + digits_);
    case Step::kDone:
      break;
  }
  return {};
}

std::string Exercise::Hint() const {
  switch (step_) {
    case Step::kProduct:
      return texts::ProductHint(DecimalText(remainder_));
    case Step::kDigit:
      return texts::DigitHint(DecimalText(product_));
    case Step::kBinary:
    case Step::kDone:
      break;
  }
  return texts::BinaryHint();
}

// The same loop as the window's conversion, on exact numbers: a step while the
// counter is below the count and something remains.
void Exercise::Advance() {
  ++questions_;
  wrongTries_ = 0;
  switch (step_) {
    case Step::kProduct:
      products_.push_back(DecimalText(product_));
      step_ = Step::kDigit;
      return;
    case Step::kDigit: {
      const char digit = IntegerPart(product_) ? '1' : '0';
      const int step = static_cast<int>(products_.size());
      worked_.push_back(
          texts::WorkedStep(step, DecimalText(remainder_), DecimalText(product_), digit));
      digits_ += digit;
      remainder_ = FractionalPart(product_);
      product_ = Doubled(remainder_);
      const bool more = step + 1 < count_ && !IsZero(remainder_);
      step_ = more ? Step::kProduct : Step::kBinary;
      return;
    }
    case Step::kBinary:
      worked_.push_back(texts::WorkedBinary("0." + digits_));
      step_ = Step::kDone;
      summary_ = Summarise();
      return;
    case Step::kDone:
      return;
  }
}

std::string Exercise::Said() const {
  // Said before the first question, the heading ends as a sentence, as on screen it need not.
  std::string heading = questions_ == 0 ? Heading() : std::string();
  if (!heading.empty() && !heading.ends_with('.')) heading += '.';
  std::string said = Joined(feedback_, heading);
  if (step_ == Step::kDone) return Joined(Joined(said, texts::Finished()), summary_.said);
  return Joined(said, Question());
}

Summary Exercise::Summarise() const {
  Summary summary;
  summary.score = texts::Score(rightFirstTime_, questions_);
  const std::vector<std::string> computer = ComputerProducts(fractionText_, count_);
  const std::size_t rows = std::max(products_.size(), computer.size());
  std::string differing;
  for (std::size_t i = 0; i < rows; ++i) {
    ComparedLine line{static_cast<int>(i + 1), i < products_.size() ? products_[i] : "",
                      i < computer.size() ? computer[i] : "", false};
    line.differs = line.computer != InComputerNotation(line.exact);
    if (line.differs) {
      differing = Joined(differing, texts::DifferingLine(line.step, line.exact, line.computer));
    }
    summary.lines.push_back(std::move(line));
  }
  const BinaryExpansion binary = ExactBinary(fraction_);
  const bool ends = binary.periodLength == 0;
  const bool differs = !differing.empty();
  using texts::Agreement;
  const Agreement agreement =
      differs ? (ends ? Agreement::kDiffersTooLong : Agreement::kDiffersNoExactForm)
              : (ends ? Agreement::kAgreesEnds : Agreement::kAgreesNoExactForm);
  const std::string fraction = DecimalText(fraction_);
  summary.why = texts::Why(agreement, fraction);
  summary.exactBinary = texts::ExactBinary(fraction, BinaryNotation(binary));
  summary.binaryNote = ends ? texts::BinaryEnds()
                       : binary.periodLength > binary.period.size()
                           ? texts::PeriodCut(binary.periodLength, binary.period.size())
                           : texts::PeriodRepeats();
  summary.said = summary.score;
  for (const std::string& part :
       {differing, summary.why, summary.exactBinary + ".", summary.binaryNote}) {
    summary.said = Joined(summary.said, part);
  }
  return summary;
}

PracticeInput PracticeInputOf(const MainForm& form) {
  const ListBox& counts = form.Diapazon[1];
  PracticeInput input{form.Text1[1].Text, std::nullopt};
  if (counts.ListIndex() >= 0) input.count = counts.List(counts.ListIndex());
  return input;
}

}  // namespace kviltora
