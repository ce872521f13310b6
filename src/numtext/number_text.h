#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kviltora {

// Raised when a text holds a number whose magnitude no double can carry.
class NumberOverflow : public std::overflow_error {
 public:
  NumberOverflow() : std::overflow_error("number too large for a double") {}
};

// The value of the number the text begins with; 0 when it begins with none.
// Throws NumberOverflow instead of ever yielding an infinity.
double ParseLeadingNumber(std::string_view text);

// How much of the text the number ParseLeadingNumber reads takes, leading
// blanks and sign included; 0 when the text begins with no number.
std::size_t NumberLength(std::string_view text);

// The default text of a finite number: 15 significant digits, "." as separator.
std::string FormatGeneral(double x);

// x with exactly `decimals` decimals, ties away from zero; a negative count
// asks for the default of two decimals.
std::string FormatFixed(double x, std::int16_t decimals);

double Int(double x);

// A loop counter compared with a list item text, the text taken as a number.
bool CounterBelow(std::int16_t counter, std::string_view itemText);

}  // namespace kviltora
