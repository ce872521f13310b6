#include <algorithm>
#include <numeric>

#include "arithmetic.h"
#include "bases.h"
#include "bases_texts.h"
#include "digits.h"

namespace kviltora::bases {
namespace {

namespace texts = bases_texts;
using arithmetic::Decimal;
using Lines = std::vector<std::string>;

// Bits per digit of base 2, 8 or 16.
unsigned BitsPerDigit(int base) {
  return base == 2 ? 1 : base == 8 ? 3 : 4;
}

std::string Unsigned(const Number& number) {
  Number positive = number;
  positive.negative = false;
  return NumberText(positive);
}

Number NumberOf(int base, bool negative, std::string whole, std::string fraction) {
  whole = arithmetic::Trimmed(whole);
  fraction.erase(fraction.find_last_not_of('0') + 1);
  return {base, negative && (whole != "0" || !fraction.empty()), whole, fraction};
}

Number DecimalNumber(bool negative, const Decimal& x) {
  const std::string text = arithmetic::DecimalText(x);
  const std::size_t point = text.find('.');
  return NumberOf(10, negative, text.substr(0, point),
                  point == std::string::npos ? "" : text.substr(point + 1));
}

// The whole part by repeated division; the remainders, last first, are the digits.
std::string DividedWhole(std::string whole, int base, Lines& lines) {
  if (whole == "0") {
    lines.push_back(texts::WholeIsZero());
    return "0";
  }
  lines.push_back(texts::WholeDivisions(whole, base));
  std::string digits;
  while (whole != "0") {
    const arithmetic::ShortDivision step = arithmetic::Divided(whole, unsigned(base));
    const char digit = digits::Char(step.remainder);
    lines.push_back(texts::DivisionStep(whole, base, step.quotient, step.remainder, digit));
    digits.insert(digits.begin(), digit);
    whole = step.quotient;
  }
  lines.push_back(texts::RemaindersRead(digits));
  return digits;
}

// Where the base-q digits of a decimal fraction start repeating, and how long
// the period is. A reduced denominator 2^a * 5^b needs ceil(a / k) digits in
// base 2^k before the period, and the period is the order of 2^k modulo 5^b:
// 2 is a primitive root modulo every power of 5, so the order of 2 is
// 4 * 5^(b-1) and that of 2^k is it divided by gcd(it, k). Counting it by
// multiplying would take millions of steps for ten decimals. The fraction
// may have up to 40 decimals (a check back from base 16), more than the
// exercise's 64-bit exact decimals hold, so the factors are counted here on
// the digits.
struct Shape {
  std::size_t before = 0;
  std::uint64_t period = 0;
};
std::size_t FactorsOf(std::string digits, unsigned factor, std::size_t most) {
  std::size_t count = 0;
  for (; count < most; ++count) {
    const arithmetic::ShortDivision division = arithmetic::Divided(digits, factor);
    if (division.remainder != 0) break;
    digits = division.quotient;
  }
  return count;
}
Shape ShapeOf(const std::string& fraction, int base) {
  const std::size_t decimals = fraction.size();
  const std::string numerator = arithmetic::Trimmed(fraction);
  const std::size_t twos = decimals - FactorsOf(numerator, 2, decimals);
  // A fraction read from base 10 has at most 10 decimals, so 5^(b-1) fits;
  // one from base 2, 8 or 16 has b = 0.
  const std::size_t fives = decimals - FactorsOf(numerator, 5, decimals);
  std::uint64_t binaryPeriod = fives == 0 ? 0 : 4;
  for (std::size_t i = 1; i < fives; ++i) binaryPeriod *= 5;
  const unsigned k = BitsPerDigit(base);
  return {(twos + k - 1) / k, binaryPeriod / std::gcd<std::uint64_t>(binaryPeriod, k)};
}

// The fractional part by repeated multiplication, each product's whole part a digit.
Result MultipliedFraction(const Number& number, int base, Lines& lines, Result result) {
  if (number.fraction.empty()) return result;
  const Shape shape = ShapeOf(number.fraction, base);
  const std::size_t steps =
      shape.before + std::size_t(std::min<std::uint64_t>(shape.period, kPeriodDigitsShown));
  lines.push_back(texts::FractionProducts("0." + number.fraction, base));
  std::string fraction = number.fraction;
  std::string digitsObtained;
  for (std::size_t step = 0; step < steps; ++step) {
    const std::size_t places = fraction.size();
    std::string product = arithmetic::Times(fraction, unsigned(base));
    if (product.size() <= places) product.insert(0, places + 1 - product.size(), '0');
    const std::size_t wholeDigits = product.size() - places;
    const char digit = digits::Char(unsigned(std::stoul(product.substr(0, wholeDigits))));
    lines.push_back(texts::ProductStep("0." + fraction, base,
                                       arithmetic::DecimalText({product, places}), digit));
    digitsObtained += digit;
    fraction = product.substr(wholeDigits);
    fraction.erase(fraction.find_last_not_of('0') + 1);
  }
  if (shape.period == 0) {
    lines.push_back(texts::FractionEnds());
  } else if (shape.period <= kPeriodDigitsShown) {
    lines.push_back(texts::PeriodRepeats("0." + fraction));
  } else {
    lines.push_back(texts::PeriodCut(shape.period, kPeriodDigitsShown));
  }
  result.number.fraction = digitsObtained.substr(0, shape.before);
  result.period = digitsObtained.substr(shape.before);
  result.periodLength = shape.period;
  lines.push_back(texts::DigitsRead(NumberText(
      Result{{base, false, "0", result.number.fraction}, result.period, result.periodLength})));
  return result;
}

Result FromDecimal(const Number& number, int base, Lines& lines) {
  Result result;
  result.number = {base, number.negative, DividedWhole(number.whole, base, lines), ""};
  return MultipliedFraction(number, base, lines, result);
}

// Each digit that is not 0 times the weight of its position; the terms and their sum.
struct Expanded {
  std::vector<std::string> terms;
  Decimal total;
};
Expanded PlaceValues(const Number& number, Lines& lines) {
  const std::size_t heading = lines.size();
  const unsigned bits = BitsPerDigit(number.base);
  const std::string digitsWritten = number.whole + number.fraction;
  Expanded expanded;
  for (std::size_t i = 0; i < digitsWritten.size(); ++i) {
    const char c = digitsWritten[i];
    if (c == '0') continue;
    const long power = long(number.whole.size()) - 1 - long(i);
    Decimal value{std::to_string(digits::Value(c)), 0};
    for (long p = 0; p < power; ++p) value.digits = arithmetic::Times(value.digits, number.base);
    if (power < 0) value = arithmetic::DividedByPowerOfTwo(value, unsigned(-power) * bits);
    const std::string text = arithmetic::DecimalText(value);
    lines.push_back(texts::PlaceValue(c, number.base, digits::Superscript(power), text));
    expanded.terms.push_back(text);
    expanded.total = arithmetic::Sum(expanded.total, value);
  }
  if (!expanded.terms.empty())
    lines.insert(lines.begin() + long(heading), texts::PlaceValues(number.base));
  return expanded;
}

std::string Joined(const std::vector<std::string>& terms) {
  if (terms.empty()) return "0";
  std::string out = terms.front();
  for (std::size_t i = 1; i < terms.size(); ++i) (out += " + ") += terms[i];
  return out;
}

Result ToDecimal(const Number& number, Lines& lines) {
  const Expanded expanded = PlaceValues(number, lines);
  lines.push_back(texts::Sum(Joined(expanded.terms), arithmetic::DecimalText(expanded.total)));
  return {DecimalNumber(number.negative, expanded.total), "", 0};
}

std::string Padded(std::string bits, unsigned size, bool left) {
  const std::size_t missing = (size - bits.size() % size) % size;
  bits.insert(left ? 0 : bits.size(), missing, '0');
  return bits;
}

// Bits in groups of `size` counted outward from the separator, each group a digit.
Number Grouped(const Number& bits, int base, Lines& lines) {
  const unsigned size = BitsPerDigit(base);
  const std::string whole = Padded(bits.whole, size, true);
  const std::string fraction = Padded(bits.fraction, size, false);
  std::string shown;
  for (std::size_t i = 0; i < whole.size(); i += size) {
    if (i > 0) shown += ' ';
    shown += whole.substr(i, size);
  }
  if (!fraction.empty()) shown += '.';
  for (std::size_t i = 0; i < fraction.size(); i += size) {
    if (i > 0) shown += ' ';
    shown += fraction.substr(i, size);
  }
  lines.push_back(texts::Groups(int(size), shown));
  const auto digitsOf = [&](const std::string& groups) {
    std::string out;
    for (std::size_t i = 0; i < groups.size(); i += size) {
      const std::string group = groups.substr(i, size);
      out += digits::Char(unsigned(std::stoul(group, nullptr, 2)));
      lines.push_back(texts::Group(group, out.back()));
    }
    return out;
  };
  const std::string wholeDigits = digitsOf(whole);
  return NumberOf(base, bits.negative, wholeDigits, digitsOf(fraction));
}

Number Bits(const Number& number, Lines& lines) {
  if (number.base == 2) return number;
  const unsigned size = BitsPerDigit(number.base);
  lines.push_back(texts::DigitsToBits(number.base, int(size)));
  const auto bitsOf = [&](const std::string& digitsWritten) {
    std::string out;
    for (char c : digitsWritten) {
      std::string group;
      for (unsigned bit = size; bit-- > 0;) group += (digits::Value(c) >> bit) & 1 ? '1' : '0';
      lines.push_back(texts::DigitToBits(c, group));
      out += group;
    }
    return out;
  };
  const std::string whole = bitsOf(number.whole);
  const Number bits = NumberOf(2, number.negative, whole, bitsOf(number.fraction));
  lines.push_back(texts::Binary(Unsigned(bits)));
  return bits;
}

Result Regrouped(const Number& number, int base, Lines& lines) {
  const Number bits = Bits(number, lines);
  return {base == 2 ? bits : Grouped(bits, base, lines), "", 0};
}

Conversion Worked(const Number& number, int to) {
  Conversion conversion;
  conversion.typed = number;
  if (number.base == to) {
    conversion.steps.push_back(texts::SameBases(WithBase(NumberText(number), to)));
    conversion.result = Result{number, "", 0};
    conversion.checkAgrees = true;
    return conversion;
  }
  conversion.result = number.base == 10 ? FromDecimal(number, to, conversion.steps)
                      : to == 10        ? ToDecimal(number, conversion.steps)
                                        : Regrouped(number, to, conversion.steps);
  conversion.resultLine = WithBase(NumberText(number), number.base) + " = " +
                          WithBase(NumberText(*conversion.result), to);
  return conversion;
}

// A repeating fraction's check: the digits before the period by their place
// values, and the period as the sum of its geometric series, one fraction.
Decimal PeriodValue(const Result& result, Lines& lines) {
  const unsigned base = unsigned(result.number.base);
  std::string value = "0";
  for (char c : result.period)
    value = arithmetic::PlusSmall(arithmetic::Times(value, base), unsigned(digits::Value(c)));
  std::string denominator = "1";
  for (std::size_t i = 0; i < result.period.size(); ++i)
    denominator = arithmetic::Times(denominator, base);
  denominator = arithmetic::Minus(denominator, "1");
  for (std::size_t i = 0; i < result.number.fraction.size(); ++i)
    denominator = arithmetic::Times(denominator, base);
  // The fraction typed had at most 10 decimals and the digits before the
  // period at most 40, so the quotient ends well within this.
  constexpr std::size_t kMostDecimals = 64;
  const std::string quotient = arithmetic::QuotientText(value, denominator, kMostDecimals);
  const std::size_t before = result.number.fraction.size();
  lines.push_back(texts::PeriodSeries(WithBase(result.period, int(base)), int(base), value,
                                      before == 0 ? "" : digits::Superscript(long(before)),
                                      digits::Superscript(long(result.period.size())),
                                      value + "/" + denominator, quotient));
  const std::size_t point = quotient.find('.');
  return arithmetic::DecimalOf(quotient.substr(0, point),
                               point == std::string::npos ? "" : quotient.substr(point + 1));
}

void Check(Conversion& conversion) {
  const Result& result = *conversion.result;
  const Number& typed = *conversion.typed;
  Lines& lines = conversion.check;
  lines.push_back(
      texts::CheckHeading(WithBase(NumberText(result), result.number.base), typed.base));
  Number back;
  if (result.periodLength == 0) {
    const Conversion reverse = Worked(result.number, typed.base);
    lines.insert(lines.end(), reverse.steps.begin(), reverse.steps.end());
    back = reverse.result->number;
  } else if (result.periodLength <= kPeriodDigitsShown) {
    Expanded expanded = PlaceValues(result.number, lines);
    const Decimal period = PeriodValue(result, lines);
    expanded.terms.push_back(arithmetic::DecimalText(period));
    expanded.total = arithmetic::Sum(expanded.total, period);
    lines.push_back(texts::Sum(Joined(expanded.terms), arithmetic::DecimalText(expanded.total)));
    back = DecimalNumber(result.number.negative, expanded.total);
  } else {
    lines.push_back(texts::PeriodTooLong(result.periodLength));
    return;
  }
  conversion.checkAgrees = back == typed;
  const std::string got = WithBase(NumberText(back), typed.base);
  lines.push_back(conversion.checkAgrees
                      ? texts::CheckAgrees(got)
                      : texts::CheckDiffers(got, WithBase(NumberText(typed), typed.base)));
}

}  // namespace

Conversion Convert(const Number& number, int to) {
  if (!IsBase(to) || !IsBase(number.base)) return {texts::UnknownBase(), {}, {}, {}, {}, {}, false};
  Conversion conversion = Worked(number, to);
  if (!conversion.resultLine.empty()) Check(conversion);
  return conversion;
}

Conversion Convert(std::string_view text, int from, int to) {
  if (!IsBase(to)) return {texts::UnknownBase(), {}, {}, {}, {}, {}, false};
  const Reading reading = ReadNumber(text, from);
  if (!reading.number) return {reading.refusal, {}, {}, {}, {}, {}, false};
  return Convert(*reading.number, to);
}

std::string NumberText(const Number& number) {
  std::string out = number.negative ? "-" + number.whole : number.whole;
  if (!number.fraction.empty()) (out += '.') += number.fraction;
  return out;
}

std::string NumberText(const Result& result) {
  if (result.periodLength == 0) return NumberText(result.number);
  const bool cut = result.periodLength > result.period.size();
  return NumberText(result.number) + (result.number.fraction.empty() ? "." : "") + "(" +
         result.period + (cut ? "…" : "") + ")";
}

std::string Said(const Conversion& conversion) {
  if (!conversion.refusal.empty()) return conversion.refusal;
  if (!conversion.resultLine.empty()) return conversion.resultLine;
  return conversion.steps.empty() ? std::string() : conversion.steps.front();
}

std::string WithBase(std::string_view text, int base) {
  return std::string(text) + digits::Subscript(base);
}

}  // namespace kviltora::bases
