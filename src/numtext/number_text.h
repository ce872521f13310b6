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

// The number a text begins with, in the pieces it is written in: blanks are
// skipped, then come an optional sign, digits, "." and digits, and an exponent
// (E or e, an optional sign and digits). Every reading of a leading number
// starts here, so that they all read the same number.
struct LeadingNumber {
  bool found = false;  // false when the text begins with no number
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
  std::string_view exponent;  // sign and digits, empty when absent
  std::string_view unsignedText;
};
LeadingNumber ScanLeadingNumber(std::string_view text);

// The value of the number the text begins with; 0 when it begins with none.
// Throws NumberOverflow instead of ever yielding an infinity.
double ParseLeadingNumber(std::string_view text);
// Whether ParseLeadingNumber throws NumberOverflow for the text.
bool OverflowsADouble(std::string_view text);

// The default text of a finite number: 15 significant digits, "." as separator.
std::string FormatGeneral(double x);

// x with exactly `decimals` decimals, ties away from zero; a negative count
// asks for the default of two decimals.
std::string FormatFixed(double x, std::int16_t decimals);

double Int(double x);

// A loop counter compared with a list item text, the text taken as a number.
bool CounterBelow(std::int16_t counter, std::string_view itemText);

}  // namespace kviltora
