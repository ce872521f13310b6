#include "conversion_exercise.h"

#include <algorithm>

#include "arithmetic.h"
#include "bases_texts.h"
#include "digits.h"
#include "texts.h"

namespace kviltora {
namespace {

namespace texts = practice_texts;
using Asked = ConversionExercise::Asked;
using Compare = ConversionExercise::Compare;

// More steps than this a pupil is not asked to do by hand.
constexpr int kMostSteps = 12;

int BitsPerDigit(int base) {
  return base == 2 ? 1 : base == 8 ? 3 : 4;
}

std::string Joined(std::string said, const std::string& more) {
  if (more.empty()) return said;
  return said.empty() ? more : said + " " + more;
}

// A digit's value as the worked example writes it: "11 (B)", "7".
std::string DigitValue(char digit) {
  const int value = bases::digits::Value(digit);
  return value < 10 ? std::string(1, digit) : std::to_string(value) + " (" + digit + ")";
}

// Division by the new base until the quotient is 0; the remainders, last
// first, are the whole part's digits.
void Divisions(std::string whole, int to, std::vector<Asked>& asked) {
  if (whole == "0") return;
  const std::string adjective = bases_texts::BaseAdjective(to);
  std::string digits;
  for (int step = 1; whole != "0"; ++step) {
    const bases::arithmetic::ShortDivision division = bases::arithmetic::Divided(whole, to);
    const char digit = bases::digits::Char(division.remainder);
    const std::string dividing = whole + " : " + std::to_string(to);
    asked.push_back({texts::QuotientQuestion(step, whole, to), texts::QuotientHint(whole, to),
                     dividing + ", частно", division.quotient, 10, Compare::kNumber,
                     dividing + " = " + division.quotient});
    asked.push_back({texts::RemainderQuestion(step, whole, to),
                     texts::RemainderHint(whole, to, division.quotient), dividing + ", остатък",
                     std::string(1, digit), to, Compare::kDigit, "остатък " + DigitValue(digit)});
    digits.insert(digits.begin(), digit);
    whole = division.quotient;
  }
  asked.push_back({texts::WholeDigitsQuestion(adjective), texts::WholeDigitsHint(), "цялата част",
                   digits, to, Compare::kNumber, "цялата част: " + digits});
}

// Multiplication by the new base, each product's whole part a digit, for as
// many digits as the worked example obtains, or the first kMostSteps of them.
// Says whether it stopped short.
bool Products(std::string fraction, int to, std::size_t steps, std::vector<Asked>& asked) {
  const bool cut = steps > static_cast<std::size_t>(kMostSteps);
  steps = std::min(steps, static_cast<std::size_t>(kMostSteps));
  std::string digits;
  for (std::size_t step = 1; step <= steps && !fraction.empty(); ++step) {
    const std::size_t places = fraction.size();
    std::string product = bases::arithmetic::Times(fraction, static_cast<unsigned>(to));
    if (product.size() <= places) product.insert(0, places + 1 - product.size(), '0');
    const std::size_t wholeDigits = product.size() - places;
    const char digit = bases::digits::Char(std::stoul(product.substr(0, wholeDigits)));
    const std::string shown = bases::arithmetic::DecimalText({product, places});
    const std::string multiplying = "0." + fraction + " × " + std::to_string(to);
    const int n = static_cast<int>(step);
    asked.push_back({texts::TimesQuestion(n, "0." + fraction, to),
                     texts::TimesHint("0." + fraction, to), multiplying, shown, 10,
                     Compare::kNumber, multiplying + " = " + shown});
    asked.push_back({texts::ObtainedDigitQuestion(n, shown), texts::ObtainedDigitHint(shown),
                     shown + ", цифра", std::string(1, digit), to, Compare::kDigit,
                     "цифра " + DigitValue(digit)});
    digits += digit;
    fraction = product.substr(wholeDigits);
    fraction.erase(fraction.find_last_not_of('0') + 1);
  }
  asked.push_back({texts::FractionDigitsQuestion(), texts::FractionDigitsHint(), "дробната част",
                   "0." + digits, to, Compare::kNumber, "дробната част: 0." + digits});
  return cut;
}

// Each digit that is not 0 times the weight of its place, then their sum.
void PlaceValues(const bases::Number& number, std::string_view sum, std::vector<Asked>& asked) {
  const unsigned bits = static_cast<unsigned>(BitsPerDigit(number.base));
  const std::string written = number.whole + number.fraction;
  int step = 1;
  for (std::size_t i = 0; i < written.size(); ++i) {
    const char c = written[i];
    if (c == '0') continue;
    const long power = static_cast<long>(number.whole.size()) - 1 - static_cast<long>(i);
    bases::arithmetic::Decimal value{std::to_string(bases::digits::Value(c)), 0};
    for (long p = 0; p < power; ++p) {
      value.digits = bases::arithmetic::Times(value.digits, static_cast<unsigned>(number.base));
    }
    if (power < 0) {
      value = bases::arithmetic::DividedByPowerOfTwo(value, static_cast<unsigned>(-power) * bits);
    }
    const std::string term =
        DigitValue(c) + " · " + std::to_string(number.base) + bases::digits::Superscript(power);
    const std::string shown = bases::arithmetic::DecimalText(value);
    asked.push_back({texts::PlaceValueQuestion(step++, DigitValue(c), number.base,
                                               bases::digits::Superscript(power)),
                     texts::PlaceValueHint(), term, shown, 10, Compare::kNumber,
                     term + " = " + shown});
  }
  asked.push_back({texts::SumQuestion(), texts::SumHint(), "сборът", std::string(sum), 10,
                   Compare::kNumber, "сбор: " + std::string(sum)});
}

// The bits of each digit, then each group's digit in the new base.
void Groups(const bases::Number& number, int to, std::vector<Asked>& asked) {
  int step = 1;
  if (number.base != 2) {
    const int size = BitsPerDigit(number.base);
    for (const char c : number.whole + number.fraction) {
      std::string group;
      for (int bit = size; bit-- > 0;) group += (bases::digits::Value(c) >> bit) & 1 ? '1' : '0';
      asked.push_back({texts::BitsQuestion(step++, c, size), texts::BitsHint(c, size),
                       std::string(1, c) + " →", group, 2, Compare::kNumber, c + (" → " + group)});
    }
  }
  if (to == 2) return;
  // The bits as the worked example groups them, from its own conversion to base 2.
  const bases::Number bits = bases::Convert(number, 2).result->number;
  const std::size_t size = static_cast<std::size_t>(BitsPerDigit(to));
  std::string whole = bits.whole, fraction = bits.fraction;
  whole.insert(0, (size - whole.size() % size) % size, '0');
  fraction.append((size - fraction.size() % size) % size, '0');
  for (const std::string& part : {whole, fraction}) {
    for (std::size_t i = 0; i < part.size(); i += size) {
      const std::string group = part.substr(i, size);
      const char digit = bases::digits::Char(std::stoul(group, nullptr, 2));
      asked.push_back({texts::GroupQuestion(step++, group), texts::GroupHint(group), group + " →",
                       std::string(1, digit), to, Compare::kDigit, group + " → " + digit});
    }
  }
}

// The text before any "(" and what stands inside it, read as written.
std::optional<PeriodicNumber> PeriodicAsWritten(std::string_view text, int base) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos) {
    const auto number = HandWrittenNumber(text, base);
    if (!number) return std::nullopt;
    const std::size_t point = number->find('.');
    return PeriodicNumber{number->substr(0, point),
                          point == std::string::npos ? "" : number->substr(point + 1), ""};
  }
  if (!text.ends_with(')')) return std::nullopt;
  const std::string_view before = text.substr(0, open);
  const std::size_t point = before.find_first_of(".,");
  if (point == std::string_view::npos) return std::nullopt;
  // The digits before the period and inside it, kept as written: their zeros count.
  const auto digitsOf = [base](std::string_view digits) -> std::optional<std::string> {
    std::string out;
    for (const char c : digits) {
      const int value = bases::digits::Value(c);
      if (value < 0 || value >= base) return std::nullopt;
      out += bases::digits::Char(static_cast<unsigned>(value));
    }
    return out;
  };
  const auto whole =
      HandWrittenNumber(before.substr(0, point).empty() ? "0" : before.substr(0, point), base);
  const auto ahead = digitsOf(before.substr(point + 1));
  const auto period = digitsOf(text.substr(open + 1, text.size() - open - 2));
  if (!whole || !ahead || !period || period->empty() || whole->find('.') != std::string::npos) {
    return std::nullopt;
  }
  return PeriodicNumber{*whole, *ahead, *period};
}

// The period as short and as early as it goes: "0.0(0011)" for "0.00(0110)".
PeriodicNumber Shortest(PeriodicNumber n) {
  for (std::size_t length = 1; length < n.period.size(); ++length) {
    if (n.period.size() % length != 0) continue;
    std::string repeated;
    while (repeated.size() < n.period.size()) repeated += n.period.substr(0, length);
    if (repeated == n.period) {
      n.period.resize(length);
      break;
    }
  }
  while (!n.period.empty() && !n.before.empty() && n.before.back() == n.period.back()) {
    n.period = n.period.back() + n.period.substr(0, n.period.size() - 1);
    n.before.pop_back();
  }
  if (n.period == "0") n.period.clear();
  if (n.period.empty()) n.before.erase(n.before.find_last_not_of('0') + 1);
  return n;
}

}  // namespace

std::optional<PeriodicNumber> HandWrittenPeriodic(std::string_view text, int base) {
  const auto written = PeriodicAsWritten(text, base);
  if (!written) return std::nullopt;
  return Shortest(*written);
}

std::string ConversionExercise::Start(std::string_view number, int from, int to) {
  *this = ConversionExercise();
  conversion_ = bases::Convert(number, from, to);
  refusal_ = conversion_.refusal;
  if (refusal_.empty() && from == to) refusal_ = texts::SameBases();
  if (!refusal_.empty()) return refusal_;
  const bases::Number& typed = *conversion_.typed;
  const bases::Result& result = *conversion_.result;
  const std::string adjective = bases_texts::BaseAdjective(to);
  heading_ = texts::ConversionHeading(bases::WithBase(bases::NumberText(typed), from), adjective);
  bases::Number unsignedResult = result.number;
  unsignedResult.negative = false;
  bool cut = false;
  if (from == 10) {
    Divisions(typed.whole, to, questions_);
    if (!typed.fraction.empty()) {
      cut = Products(typed.fraction, to, result.number.fraction.size() + result.period.size(),
                     questions_);
    }
  } else if (to == 10) {
    PlaceValues(typed, bases::NumberText(unsignedResult), questions_);
  } else {
    Groups(typed, to, questions_);
  }
  const std::string whole = bases::NumberText(result);
  // The result once more only where it says more than the last answer did.
  if (!cut && (questions_.empty() || questions_.back().expected != whole)) {
    questions_.push_back({texts::ResultQuestion(adjective), texts::ResultHint(), "резултатът",
                          whole, to, Compare::kPeriodic, "резултат: " + whole});
  }
  if (cut) heading_ = Joined(heading_, texts::FirstStepsOnly(kMostSteps));
  running_ = true;
  return Said();
}

bool ConversionExercise::Counts(const Asked& asked, std::string_view answer) const {
  switch (asked.compare) {
    case Compare::kNumber: {
      const auto read = HandWrittenNumber(answer, asked.base);
      return read && read == HandWrittenNumber(asked.expected, asked.base);
    }
    case Compare::kDigit: {
      // A digit above 9 may be given as its digit or its value: B or 11.
      const int value = bases::digits::Value(asked.expected[0]);
      return HandWrittenNumber(answer, asked.base) == asked.expected ||
             HandWrittenNumber(answer, 10) == std::to_string(value);
    }
    case Compare::kPeriodic: {
      const auto written = PeriodicAsWritten(answer, asked.base);
      return written && written == PeriodicAsWritten(asked.expected, asked.base);
    }
  }
  return false;
}

std::string ConversionExercise::Check(std::string_view answer) {
  if (!running_ || Finished()) return {};
  if (answer.find_first_not_of(" \t") == std::string_view::npos) {
    feedback_ = texts::Blank();
    verdict_ = Verdict::kNone;
    return feedback_;
  }
  if (firstAnswers_.size() == at_) firstAnswers_.emplace_back(answer);
  const Asked& asked = questions_[at_];
  verdict_ = Counts(asked, answer) ? Verdict::kRight : Verdict::kWrong;
  if (verdict_ == Verdict::kRight) {
    if (wrongTries_ == 0) ++rightFirstTime_;
    feedback_ = texts::Right();
  } else if (++wrongTries_ == 1) {
    const auto written = HandWrittenPeriodic(answer, asked.base);
    const bool periodOtherwise = asked.compare == Compare::kPeriodic && written &&
                                 written == HandWrittenPeriodic(asked.expected, asked.base);
    feedback_ = periodOtherwise ? texts::PeriodOtherwise() : texts::WrongWithHint(asked.hint);
    return feedback_;
  } else {
    feedback_ = texts::WrongWithAnswer(asked.expected);
  }
  Advance();
  return Said();
}

void ConversionExercise::End() {
  *this = ConversionExercise();
}

std::string ConversionExercise::Question() const {
  return running_ && !Finished() ? questions_[at_].question : std::string();
}

void ConversionExercise::Advance() {
  worked_.push_back(questions_[at_].workedLine);
  wrongTries_ = 0;
  if (++at_ < questions_.size()) return;
  ConversionSummary& s = summary_;
  s.score = texts::Score(rightFirstTime_, static_cast<int>(questions_.size()));
  for (std::size_t i = 0; i < questions_.size(); ++i) {
    const Asked& asked = questions_[i];
    s.lines.push_back({static_cast<int>(i + 1), asked.asked, asked.expected, firstAnswers_[i],
                       !Counts(asked, firstAnswers_[i])});
  }
  s.result = conversion_.resultLine;
  s.check = conversion_.check;
  s.said = Joined(s.score, s.result + ".");
  if (!s.check.empty()) s.said = Joined(s.said, s.check.back());
}

std::string ConversionExercise::Said() const {
  std::string said = Joined(feedback_, at_ == 0 && firstAnswers_.empty() ? heading_ : "");
  if (Finished()) return Joined(Joined(said, texts::Finished()), summary_.said);
  return Joined(said, Question());
}

}  // namespace kviltora
