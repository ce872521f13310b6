#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kviltora {

// Two ways to convert between doubles and decimal text, giving the same text
// and the same doubles bit for bit; a build uses one of them.
//
// Scientific14: the magnitude with 15 significant digits, as "4.50000000000000e-01".
// Fixed: the magnitude with exactly `decimals` decimals, rounded to nearest.
// Read: the double nearest to a decimal number ("12.5e-3", no sign); nothing
// when the number lies beyond a double's range either way, too large or so
// small that it would read as zero.

// The standard library's charconv, whose results never depend on a locale.
namespace charconv_digits {
std::string Scientific14(double magnitude);
std::string Fixed(double magnitude, int decimals);
std::optional<double> Read(std::string_view number);
}  // namespace charconv_digits

// The C library's printf and strtod, for a standard library without
// floating-point charconv; safe only where the C locale never changes.
namespace libc_digits {
std::string Scientific14(double magnitude);
std::string Fixed(double magnitude, int decimals);
std::optional<double> Read(std::string_view number);
}  // namespace libc_digits

}  // namespace kviltora
