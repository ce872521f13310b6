#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kviltora::practice_texts {

// The names of the exercise's parts on the page.
struct Captions {
  std::string start, answer, check, end, summary, step, exact, computer, mark, differs;
  // Beside the feedback, so that right and wrong differ without colour too.
  std::string rightMark, wrongMark;
};
const Captions& PageCaptions();

std::string Heading(std::string_view fraction);
std::string HeadingOfFractionalPart(std::string_view number, std::string_view fraction);
std::string ProductQuestion(int step, std::string_view remainder);
std::string DigitQuestion(int step, std::string_view product);
std::string BinaryQuestion();
std::string WorkedStep(int step, std::string_view remainder, std::string_view product, char digit);
std::string WorkedBinary(std::string_view binary);

std::string Right();
std::string Blank();
std::string WrongWithHint(std::string_view hint);
std::string WrongWithAnswer(std::string_view answer);
std::string ProductHint(std::string_view remainder);
std::string DigitHint(std::string_view product);
std::string BinaryHint();

std::string NotANumber();
std::string NoFraction();
std::string TooManyDecimals(int most);
std::string CountOutside(std::string_view fewest, std::string_view most);

std::string Finished();
std::string Score(int right, int questions);
std::string DifferingLine(int step, std::string_view exact, std::string_view computer);
enum class Agreement { kDiffersNoExactForm, kDiffersTooLong, kAgreesNoExactForm, kAgreesEnds };
std::string Why(Agreement agreement, std::string_view fraction);
std::string ExactBinary(std::string_view fraction, std::string_view notation);
std::string BinaryEnds();
std::string PeriodRepeats();
std::string PeriodCut(std::uint64_t length, std::size_t shown);

// The console's line when a learning platform refuses a call, with its error code if it gave one.
std::string LmsRefused(std::string_view call);
std::string LmsRefused(std::string_view call, std::string_view error);
// The exercise on a conversion of the number-systems part.
struct ConversionCaptions {
  std::string start;  // beside «Преобразувай», named apart from the page's «Упражнение»
  std::string asked, worked, pupil;
};
const ConversionCaptions& ConversionPageCaptions();
std::string ConversionHeading(std::string_view number, std::string_view adjective);
std::string SameBases();
std::string QuotientQuestion(int step, std::string_view dividend, int base);
std::string RemainderQuestion(int step, std::string_view dividend, int base);
std::string WholeDigitsQuestion(std::string_view adjective);
std::string TimesQuestion(int step, std::string_view fraction, int base);
std::string ObtainedDigitQuestion(int step, std::string_view product);
std::string FractionDigitsQuestion();
std::string PlaceValueQuestion(int step, std::string_view digit, int base, std::string_view power);
std::string SumQuestion();
std::string BitsQuestion(int step, char digit, int size);
std::string GroupQuestion(int step, std::string_view bits);
std::string ResultQuestion(std::string_view adjective);
std::string FirstStepsOnly(int most);
std::string QuotientHint(std::string_view dividend, int base);
std::string RemainderHint(std::string_view dividend, int base, std::string_view quotient);
std::string WholeDigitsHint();
std::string TimesHint(std::string_view fraction, int base);
std::string ObtainedDigitHint(std::string_view product);
std::string FractionDigitsHint();
std::string PlaceValueHint();
std::string SumHint();
std::string BitsHint(char digit, int size);
std::string GroupHint(std::string_view bits);
std::string ResultHint();
std::string PeriodOtherwise();

}  // namespace kviltora::practice_texts
