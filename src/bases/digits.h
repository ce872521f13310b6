#pragma once

#include <string>

// The digits of every base here, and the small raised and lowered numerals
// the worked example writes powers and bases with.
namespace kviltora::bases::digits {

// The value of a digit in any of the bases, or -1; a–f read as capitals.
inline int Value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
inline char Char(unsigned value) {
  return "0123456789ABCDEF"[value];
}

inline std::string Numerals(long n, const char* const (&numerals)[10], const char* minus) {
  std::string out = n < 0 ? minus : "";
  const std::string digits = std::to_string(n < 0 ? -n : n);
  for (char c : digits) out += numerals[c - '0'];
  return out;
}
inline std::string Superscript(long n) {
  static const char* const kRaised[10] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  return Numerals(n, kRaised, "⁻");
}
inline std::string Subscript(long n) {
  static const char* const kLowered[10] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
  return Numerals(n, kLowered, "₋");
}

}  // namespace kviltora::bases::digits
