#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kviltora {

// The digits of a magnitude's exact decimal value: the integer part, then the
// first `decimals` digits of the fraction, cut there rather than rounded.
struct CutDigits {
  std::string digits;
  std::size_t integerDigits = 0;
};

// Adds one unit in the last place of a string of decimal digits; a carry out
// of the first digit prepends a "1".
inline void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Two ways to convert between doubles and decimal text, giving the same text
// and the same doubles bit for bit; a build uses one of them.
//
// Scientific14: the magnitude with 15 significant digits, ties to even, as
// "4.50000000000000e-01".
// Cut: see CutDigits; decimals >= 0.
// Read: the double nearest to a decimal number ("12.5e-3", no sign); nothing
// when the number lies beyond a double's range either way, too large or so
// small that it would read as zero.

// The standard library's charconv, whose results never depend on a locale.
namespace charconv_digits {
std::string Scientific14(double magnitude);
CutDigits Cut(double magnitude, int decimals);
std::optional<double> Read(std::string_view number);
}  // namespace charconv_digits

// For a standard library without floating-point charconv: writing by exact
// integer arithmetic, reading by the C library's strtod, which is safe only
// where the C locale never changes.
namespace portable_digits {
std::string Scientific14(double magnitude);
CutDigits Cut(double magnitude, int decimals);
std::optional<double> Read(std::string_view number);
}  // namespace portable_digits

}  // namespace kviltora
