// The number rules as the desktop builds them (charconv) against the same
// rules without charconv, as the WebAssembly build has them: on a million
// doubles and a million texts, not one character or bit may differ.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "number_text.h"

// The second build of number_text.cpp, renamed by its compile definitions.
namespace kviltora_portable {
double ParseLeadingNumber(std::string_view text);
std::string FormatGeneral(double x);
std::string FormatFixed(double x, std::int16_t decimals);
}  // namespace kviltora_portable

namespace kviltora {
namespace {

constexpr int kCases = 1'000'000;

// The value, or nothing for an overflow; as bits, so that -0 differs from 0.
template <typename Parse>
std::optional<std::uint64_t> Outcome(Parse parse, const std::string& text) {
  try {
    return std::bit_cast<std::uint64_t>(parse(text));
  } catch (const std::overflow_error&) {
    return std::nullopt;
  }
}

class Differences {
 public:
  void Check(bool same, const std::string& what) {
    if (same) return;
    if (++count_ <= 5) ADD_FAILURE() << what;
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

// Doubles of every kind: any bit pattern, and the fractions, doublings and
// sums of powers of two that a calculation meets.
double RandomDouble(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> unit(0, 1);
  switch (rng() % 5) {
    case 0: {
      const double any = std::bit_cast<double>(rng());
      return std::isfinite(any) ? any : unit(rng);
    }
    case 1:
      return unit(rng);
    case 2:
      return static_cast<double>(rng() % 1'000'000 + 1) / std::pow(10.0, rng() % 7 + 1);
    case 3:
      return std::ldexp(static_cast<double>(rng() >> 11), -static_cast<int>(rng() % 80));
    default: {
      double frac = unit(rng);
      for (auto n = rng() % 26; n > 0; --n) frac = 2 * frac - std::floor(2 * frac);
      return 2 * frac;
    }
  }
}

std::string Printed(const char* format, double x, int precision) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, precision, x);
  return buffer;
}

// Texts that start numbers of every shape: round trips, long significands
// right at the midpoint between two doubles, and loose characters.
std::string RandomText(std::mt19937_64& rng) {
  const double x = RandomDouble(rng);
  switch (rng() % 5) {
    case 0:
      return FormatGeneral(x);
    case 1:
      return Printed("%.*g", x, static_cast<int>(rng() % 20 + 1));
    case 2: {
      const long double midpoint = (static_cast<long double>(x) + std::nextafter(x, HUGE_VAL)) / 2;
      char buffer[128];
      std::snprintf(buffer, sizeof buffer, "%.*Le", static_cast<int>(rng() % 30 + 16), midpoint);
      return buffer;
    }
    case 3:
      return Printed("%.*e", x, 0) + std::to_string(static_cast<int>(rng() % 700) - 350);
    default: {
      static const std::string kAlphabet = "0123456789000.....eE+-  ,x\tab";
      std::string text;
      for (auto n = rng() % 25 + 1; n > 0; --n) text += kAlphabet[rng() % kAlphabet.size()];
      return text;
    }
  }
}

TEST(NumberTextPaths, FormatAlikeOnAMillionDoubles) {
  std::mt19937_64 rng(7);
  Differences differences;
  for (int i = 0; i < kCases; ++i) {
    const double x = (i % 8 == 0 ? -1 : 1) * RandomDouble(rng);
    const auto general = FormatGeneral(x);
    differences.Check(general == kviltora_portable::FormatGeneral(x),
                      "FormatGeneral(" + Printed("%.*g", x, 17) + "): " + general);
    // Every count of decimals a check can ask for, -1 to 25, and a few beyond.
    const auto decimals = static_cast<std::int16_t>(i % 31 - 1);
    const auto fixed = FormatFixed(x, decimals);
    differences.Check(
        fixed == kviltora_portable::FormatFixed(x, decimals),
        "FormatFixed(" + Printed("%.*g", x, 17) + ", " + std::to_string(decimals) + "): " + fixed);
  }
  EXPECT_EQ(differences.count(), 0);
}

TEST(NumberTextPaths, ReadAlikeOnAMillionTexts) {
  std::mt19937_64 rng(11);
  Differences differences;
  for (int i = 0; i < kCases; ++i) {
    const std::string text = (i % 4 == 0 ? "-" : i % 4 == 1 ? " +" : "") + RandomText(rng);
    differences.Check(
        Outcome(ParseLeadingNumber, text) == Outcome(kviltora_portable::ParseLeadingNumber, text),
        "ParseLeadingNumber(\"" + text + "\")");
  }
  EXPECT_EQ(differences.count(), 0);
}

}  // namespace
}  // namespace kviltora
