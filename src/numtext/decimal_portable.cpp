#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "decimal_digits.h"

namespace kviltora::libc_digits {
namespace {

std::string Print(const char* format, double magnitude, int precision) {
  // A double's largest value has 309 integer digits.
  std::vector<char> buffer(static_cast<std::size_t>(precision) + 320);
  const int length = std::snprintf(buffer.data(), buffer.size(), format, precision, magnitude);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

bool HasNonZeroSignificand(std::string_view number) {
  const std::string_view significand = number.substr(0, number.find_first_of("eE"));
  return significand.find_first_not_of("0.") != std::string_view::npos;
}

}  // namespace

std::string Scientific14(double magnitude) {
  return Print("%.*e", magnitude, 14);
}

std::string Fixed(double magnitude, int decimals) {
  return Print("%.*f", magnitude, decimals);
}

// strtod reports both overflow and underflow through errno, but also for
// results that are merely subnormal; the value itself tells the two apart.
std::optional<double> Read(std::string_view number) {
  const std::string text(number);
  const double value = std::strtod(text.c_str(), nullptr);
  if (std::isinf(value) || (value == 0 && HasNonZeroSignificand(number))) return std::nullopt;
  return value;
}

}  // namespace kviltora::libc_digits
