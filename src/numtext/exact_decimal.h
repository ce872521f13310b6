#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kviltora {

// A decimal number held exactly, as a pupil works with it on paper:
// numerator / 10^decimals, never negative, with no trailing zero among its
// decimals. A double cannot hold 0.45; this can.
struct ExactDecimal {
  std::uint64_t numerator = 0;
  int decimals = 0;

  bool operator==(const ExactDecimal&) const = default;
};

// More decimals than this would overflow the doubling's arithmetic long
// before a pupil could do the doubling by hand.
inline constexpr int kMostExactDecimals = 10;

enum class FractionReading { kRead, kNotANumber, kNoFraction, kTooManyDecimals };

struct ExactFraction {
  FractionReading reading = FractionReading::kNotANumber;
  ExactDecimal fraction;  // above 0 and below 1 when read
};

// The fractional part of the number a text begins with, the same number that
// ParseLeadingNumber reads, but exactly: the sign and the integer part are
// dropped as the conversion drops them, so "-3.75" gives 75/100,
// "1.2E-05" 12/1000000 and "0.7x" 7/10.
ExactFraction ReadExactFraction(std::string_view text);

// x * 2, and x split into its integer part and the rest.
ExactDecimal Doubled(ExactDecimal x);
std::uint64_t IntegerPart(ExactDecimal x);
ExactDecimal FractionalPart(ExactDecimal x);

// x as a pupil writes it: "0.45", "1.8", "1", "0"; "." is the separator.
std::string DecimalText(ExactDecimal x);

// A number as a pupil writes it by hand, in one form for comparing: blanks
// around it are ignored, the separator may be a point or a comma, the zero
// before it may be left out and zeros may end its decimals. So "0,9", ".9",
// "0.90" and " 0.9 " all give "0.9". No sign, no exponent, nothing else:
// anything else gives nothing. Any length, so a long binary fraction too.
std::optional<std::string> HandWrittenNumber(std::string_view text);
// The same in base 2, 8, 10 or 16: only the base's digits, a–f written as A–F.
std::optional<std::string> HandWrittenNumber(std::string_view text, int base);

// The exact binary form of a fraction below 1: the digits before the period,
// then the period, of which at most kPeriodDigitsKept are kept.
struct BinaryExpansion {
  std::string ending;              // all the digits when the fraction ends
  std::string period;              // its first digits
  std::uint64_t periodLength = 0;  // 0 when the fraction ends

  bool operator==(const BinaryExpansion&) const = default;
};
inline constexpr std::size_t kPeriodDigitsKept = 60;

BinaryExpansion ExactBinary(ExactDecimal fraction);

// As schools write it, the period in parentheses: "0.01(1100)", "0.011" for a
// fraction that ends; a period cut short ends in "…" inside them.
std::string BinaryNotation(const BinaryExpansion& expansion);

}  // namespace kviltora
