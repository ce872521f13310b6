#pragma once

#include <string>
#include <string_view>

// Whole numbers as strings of decimal digits, most significant first, with no
// leading zero but for "0" itself: the arithmetic a pupil does on paper, by a
// small number at a time, so no input within the length limits can overflow.
namespace kviltora::bases::arithmetic {

std::string Trimmed(std::string_view digits);
int Compare(std::string_view a, std::string_view b);  // -1, 0 or 1
std::string Plus(std::string_view a, std::string_view b);
std::string Minus(std::string_view a, std::string_view b);  // a >= b
std::string Times(std::string_view a, unsigned factor);
std::string PlusSmall(std::string_view a, unsigned addend);

struct ShortDivision {
  std::string quotient;
  unsigned remainder = 0;
};
ShortDivision Divided(std::string_view a, unsigned divisor);

// An exact decimal: digits / 10^decimals, written "0.125", "240", "0".
struct Decimal {
  std::string digits = "0";
  std::size_t decimals = 0;
};
Decimal Sum(const Decimal& a, const Decimal& b);
// x / 2^k, exact: x * 5^k with k more decimals.
Decimal DividedByPowerOfTwo(Decimal x, unsigned k);
std::string DecimalText(const Decimal& x);
// The integer part and the decimals of a text "37.625" or "37".
Decimal DecimalOf(std::string_view whole, std::string_view fraction);

// a / b written as a decimal, when it ends within `most` decimals.
std::string QuotientText(std::string_view a, std::string_view b, std::size_t most);

}  // namespace kviltora::bases::arithmetic
