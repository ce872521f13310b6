#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "decimal_digits.h"

namespace kviltora {
namespace {

// Natively the process locale follows the environment, so strtod could read
// a comma: charconv is the safe way there.
#ifdef KVILTORA_PORTABLE_DIGITS
namespace decimal = portable_digits;
#else
namespace decimal = charconv_digits;
#endif

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

LeadingNumber ScanUnsignedNumber(std::string_view text, std::size_t pos) {
  LeadingNumber span;
  std::size_t next = SkipDigits(text, pos);
  span.integer = text.substr(pos, next - pos);
  if (next < text.size() && text[next] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, next + 1);
    span.fraction = text.substr(next + 1, fractionEnd - next - 1);
    next = fractionEnd;
  }
  span.found = !span.integer.empty() || !span.fraction.empty();
  if (!span.found) return span;
  std::size_t end = next;
  if (next < text.size() && (text[next] == 'E' || text[next] == 'e')) {
    std::size_t digits = next + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    const std::size_t exponentEnd = SkipDigits(text, digits);
    // An "E" without digits is not part of the number.
    if (exponentEnd > digits) {
      span.exponent = text.substr(next + 1, exponentEnd - next - 1);
      end = exponentEnd;
    }
  }
  span.unsignedText = text.substr(pos, end - pos);
  return span;
}

// Position of the leading significant digit relative to the decimal point,
// plus the written exponent, saturated: positive means the value is at least 1.
long DecimalMagnitude(const LeadingNumber& span) {
  long magnitude = 0;
  const std::size_t firstSignificant = span.integer.find_first_not_of('0');
  if (firstSignificant != std::string_view::npos) {
    magnitude = static_cast<long>(span.integer.size() - firstSignificant);
  } else {
    const std::size_t firstInFraction = span.fraction.find_first_not_of('0');
    magnitude = -static_cast<long>(firstInFraction);
  }
  constexpr long kSaturation = 1'000'000;
  long exponent = 0;
  for (char c : span.exponent) {
    if (IsDigit(c) && exponent < kSaturation) exponent = exponent * 10 + (c - '0');
  }
  if (!span.exponent.empty() && span.exponent.front() == '-') exponent = -exponent;
  return magnitude + exponent;
}

double ValueOf(const LeadingNumber& span) {
  const std::optional<double> value = decimal::Read(span.unsignedText);
  if (!value) {
    if (DecimalMagnitude(span) > 0) throw NumberOverflow();
    return 0;  // too small for a double: it rounds to zero
  }
  return *value;
}

// 15 significant digits with the decimal exponent of the rounded value.
struct Significand {
  std::string digits;  // no trailing zeros, at least one digit
  int exponent = 0;
};

Significand RoundToSignificant(double magnitude) {
  const std::string text = decimal::Scientific14(magnitude);
  const std::size_t e = text.find('e');
  Significand s;
  s.digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
  s.digits.erase(s.digits.find_last_not_of('0') + 1);
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                  s.exponent);
  return s;
}

std::string ExponentForm(const Significand& s) {
  std::string out = s.digits.substr(0, 1);
  if (s.digits.size() > 1) out += "." + s.digits.substr(1);
  const int absExponent = std::abs(s.exponent);
  out += s.exponent < 0 ? "E-" : "E+";
  if (absExponent < 10) out += '0';
  return out + std::to_string(absExponent);
}

std::string PositionalForm(const Significand& s) {
  if (s.exponent < 0) return "0." + std::string(-s.exponent - 1, '0') + s.digits;
  const std::size_t integerDigits = static_cast<std::size_t>(s.exponent) + 1;
  if (s.digits.size() <= integerDigits) {
    return s.digits + std::string(integerDigits - s.digits.size(), '0');
  }
  return s.digits.substr(0, integerDigits) + "." + s.digits.substr(integerDigits);
}

}  // namespace

LeadingNumber ScanLeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  LeadingNumber number = ScanUnsignedNumber(text, pos);
  number.negative = negative;
  return number;
}

double ParseLeadingNumber(std::string_view text) {
  const LeadingNumber number = ScanLeadingNumber(text);
  if (!number.found) return 0;
  const double value = ValueOf(number);
  // A minus before a zero leaves a plain zero, never a negative one.
  return number.negative && value != 0 ? -value : value;
}

bool OverflowsADouble(std::string_view text) {
  try {
    ParseLeadingNumber(text);
    return false;
  } catch (const NumberOverflow&) {
    return true;
  }
}

std::string FormatGeneral(double x) {
  if (x == 0) return "0";
  const Significand s = RoundToSignificant(std::fabs(x));
  const bool exponentForm = s.exponent < -4 || s.exponent >= 15;
  return (x < 0 ? "-" : "") + (exponentForm ? ExponentForm(s) : PositionalForm(s));
}

std::string FormatFixed(double x, std::int16_t decimals) {
  constexpr std::int16_t kDefaultDecimals = 2;
  if (decimals < 0) decimals = kDefaultDecimals;
  // One decimal more than wanted, cut from the exact value, decides the rounding.
  CutDigits cut = decimal::Cut(std::fabs(x), decimals + 1);
  std::string& digits = cut.digits;
  const char next = digits.back();
  digits.pop_back();
  if (next >= '5') IncrementDigits(digits);
  const auto places = static_cast<std::size_t>(decimals);
  const std::size_t integerDigits = digits.size() - places;
  std::string out = digits.substr(0, integerDigits);
  if (decimals > 0) out += "." + digits.substr(integerDigits);
  const bool isZero = out.find_first_not_of("0.") == std::string::npos;
  return (x < 0 && !isZero ? "-" : "") + out;
}

double Int(double x) {
  return std::floor(x);
}

bool CounterBelow(std::int16_t counter, std::string_view itemText) {
  return counter < ParseLeadingNumber(itemText);
}

}  // namespace kviltora
