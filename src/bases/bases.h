#pragma once

// Number systems: a number in base 2, 8, 10 or 16 read as a pupil types it,
// converted exactly to another of them, with the worked example a textbook
// gives for that direction and the check back.
//
// The API the page and the exercises build on:
//   IsBase(b)                     whether b is 2, 8, 10 or 16
//   ReadNumber(text, base)        the number typed, or one refusal line
//   Convert(text, from, to)       the whole worked example: steps, result, check
//   Convert(number, to)           the same for a number already read
//   NumberText(number)            the number as the result line writes it, no base
//   WithBase(text, base)          "37.625" and 10 give "37.625₁₀"
//   Said(conversion)              the one line a screen reader is told after it
// Every text is Bulgarian and lives in texts.cpp. No double is used anywhere:
// the arithmetic works on the digit strings, as on paper (arithmetic.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kviltora::bases {

inline constexpr int kBases[] = {2, 8, 10, 16};
// The bases chosen when the part opens: the topic starts from base 10 to 2.
inline constexpr int kDefaultFrom = 10;
inline constexpr int kDefaultTo = 2;
inline constexpr std::size_t kMostWholeDigits = 12;
inline constexpr std::size_t kMostFractionDigits = 10;
// The most digits of a period the worked example shows; a longer period is
// cut, and the result writes "…" inside its parentheses.
inline constexpr std::size_t kPeriodDigitsShown = 60;

bool IsBase(int base);

// A number as read: digits of its base, the capitals A–F above 9, the whole
// part without leading zeros ("0" when it has none), the fraction without
// trailing zeros. Zero is never negative.
struct Number {
  int base = 10;
  bool negative = false;
  std::string whole = "0";
  std::string fraction;

  bool operator==(const Number&) const = default;
};

// Blanks around the number are ignored, a comma is read as the point, and a
// minus may stand first. Anything else gives one refusal line that names the
// first wrong character, or the limit passed; the number is then empty.
struct Reading {
  std::optional<Number> number;
  std::string refusal;
};
Reading ReadNumber(std::string_view text, int base);

// A result in the other base: a fraction from base 10 may repeat, in which
// case `period` holds its first digits (at most kPeriodDigitsShown) and
// `periodLength` the length of the whole period.
struct Result {
  Number number;  // fraction: the digits before the period
  std::string period;
  std::uint64_t periodLength = 0;

  bool operator==(const Result&) const = default;
};

struct Conversion {
  std::string refusal;             // when not empty, nothing else is filled
  std::vector<std::string> steps;  // one line per step of the worked example
  std::string resultLine;          // "37.625₁₀ = 100101.101₂"; empty for equal bases
  std::vector<std::string> check;  // the conversion back, one line per step
  std::optional<Number> typed;
  std::optional<Result> result;
  // Whether the check's own arithmetic gave back the number typed; false too
  // where it could not be done (a period cut at kPeriodDigitsShown).
  bool checkAgrees = false;
};
Conversion Convert(std::string_view text, int from, int to);
Conversion Convert(const Number& number, int to);

// "-37.625", "0.01(1100)"; a period cut short ends in "…" inside its parentheses.
std::string NumberText(const Number& number);
std::string NumberText(const Result& result);
std::string WithBase(std::string_view text, int base);

// The refusal, the result line, or for equal bases the line that says so.
std::string Said(const Conversion& conversion);

}  // namespace kviltora::bases
