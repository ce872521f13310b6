#include "exact_decimal.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "number_text.h"

namespace kviltora {
namespace {

std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The written exponent, saturated far beyond any count of decimals kept, so
// that no exponent text can overflow the position arithmetic.
long SaturatedExponent(std::string_view exponent) {
  constexpr long kSaturation = 1'000'000;
  long value = 0;
  for (char c : exponent) {
    if (IsDigit(c) && value < kSaturation) value = value * 10 + (c - '0');
  }
  return !exponent.empty() && exponent.front() == '-' ? -value : value;
}

std::string_view WithoutTrailingZeros(std::string_view digits) {
  const std::size_t last = digits.find_last_not_of('0');
  return digits.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

ExactDecimal Normalised(ExactDecimal x) {
  while (x.decimals > 0 && x.numerator % 10 == 0) {
    x.numerator /= 10;
    --x.decimals;
  }
  return x;
}

}  // namespace

ExactFraction ReadExactFraction(std::string_view text) {
  const LeadingNumber number = ScanLeadingNumber(text);
  if (!number.found) return {FractionReading::kNotANumber, {}};
  const std::string digits = std::string(number.integer) + std::string(number.fraction);
  // Where the decimal point stands among the digits once the exponent has moved it.
  const long point = static_cast<long>(number.integer.size()) + SaturatedExponent(number.exponent);
  const std::size_t firstDecimal =
      static_cast<std::size_t>(std::clamp(point, 0L, long(digits.size())));
  const std::string_view decimals =
      WithoutTrailingZeros(std::string_view(digits).substr(firstDecimal));
  if (decimals.find_first_not_of('0') == std::string_view::npos) {
    return {FractionReading::kNoFraction, {}};
  }
  const long zerosAfterPoint = std::max(0L, -point);
  if (zerosAfterPoint + static_cast<long>(decimals.size()) > kMostExactDecimals) {
    return {FractionReading::kTooManyDecimals, {}};
  }
  ExactDecimal fraction{0, static_cast<int>(zerosAfterPoint + decimals.size())};
  for (char c : decimals) fraction.numerator = fraction.numerator * 10 + (c - '0');
  return {FractionReading::kRead, fraction};
}

ExactDecimal Doubled(ExactDecimal x) {
  return Normalised({x.numerator * 2, x.decimals});
}

std::uint64_t IntegerPart(ExactDecimal x) {
  return x.numerator / PowerOfTen(x.decimals);
}

ExactDecimal FractionalPart(ExactDecimal x) {
  return Normalised({x.numerator % PowerOfTen(x.decimals), x.decimals});
}

std::string DecimalText(ExactDecimal x) {
  const auto places = static_cast<std::size_t>(x.decimals);
  std::string digits = std::to_string(x.numerator);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  const std::size_t integerDigits = digits.size() - places;
  const std::string_view decimals =
      WithoutTrailingZeros(std::string_view(digits).substr(integerDigits));
  std::string out = digits.substr(0, integerDigits);
  if (!decimals.empty()) (out += '.') += decimals;
  return out;
}

std::optional<std::string> HandWrittenNumber(std::string_view text) {
  return HandWrittenNumber(text, 10);
}

std::optional<std::string> HandWrittenNumber(std::string_view text, int base) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const std::size_t separator = text.find_first_of(".,");
  const std::string_view integer = text.substr(0, separator);
  const std::string_view decimals =
      separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
  // A digit of the base, a–f as A–F: a pupil writes either.
  const auto isDigit = [base](char c) {
    const int value = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : base;
    return value < base;
  };
  const auto allDigits = [&](std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
  };
  if (!allDigits(integer) || !allDigits(decimals) || integer.size() + decimals.size() == 0) {
    return std::nullopt;
  }
  const std::size_t firstSignificant = std::min(integer.find_first_not_of('0'), integer.size());
  std::string out(integer.substr(firstSignificant));
  if (out.empty()) out = "0";
  const std::string_view kept = WithoutTrailingZeros(decimals);
  if (!kept.empty()) (out += '.') += kept;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

BinaryExpansion ExactBinary(ExactDecimal fraction) {
  std::uint64_t denominator = PowerOfTen(fraction.decimals);
  const std::uint64_t common = std::gcd(fraction.numerator, denominator);
  std::uint64_t remainder = fraction.numerator / common;
  denominator /= common;
  // A reduced denominator 2^a * 5^b: the digits before the period are a, and
  // since 2 is a primitive root modulo every power of 5, the period is the
  // order of 2 modulo 5^b, 4 * 5^(b-1). Counting it by doubling would take
  // millions of steps for ten decimals.
  std::size_t twos = 0;
  std::uint64_t fives = denominator;
  while (fives % 2 == 0) {
    fives /= 2;
    ++twos;
  }
  BinaryExpansion expansion;
  if (fives > 1) expansion.periodLength = 4 * (fives / 5);
  const std::size_t kept =
      static_cast<std::size_t>(std::min<std::uint64_t>(expansion.periodLength, kPeriodDigitsKept));
  for (std::size_t i = 0; i < twos + kept; ++i) {
    remainder *= 2;
    const bool one = remainder >= denominator;
    if (one) remainder -= denominator;
    (i < twos ? expansion.ending : expansion.period) += one ? '1' : '0';
  }
  return expansion;
}

std::string BinaryNotation(const BinaryExpansion& expansion) {
  std::string out = "0." + expansion.ending;
  if (expansion.periodLength == 0) return out;
  const bool cut = expansion.periodLength > expansion.period.size();
  return out + "(" + expansion.period + (cut ? "…" : "") + ")";
}

}  // namespace kviltora
