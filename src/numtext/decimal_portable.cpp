#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "decimal_digits.h"

namespace kviltora::portable_digits {
namespace {

void AppendNineDigits(std::string& out, std::uint32_t value) {
  char nine[9];
  for (int i = 8; i >= 0; --i, value /= 10) nine[i] = static_cast<char>('0' + value % 10);
  out.append(nine, 9);
}

// A whole number in base 10^9, least significant limb first, with room for
// the integer part of any double (309 digits).
class Decimal {
 public:
  explicit Decimal(std::uint64_t value) {
    do {
      limbs_[size_++] = static_cast<std::uint32_t>(value % kBase);
      value /= kBase;
    } while (value > 0);
  }

  void MultiplyByPowerOfTwo(int exponent) {
    for (; exponent > 0; exponent -= 29) MultiplyBy(std::uint32_t{1} << std::min(exponent, 29));
  }

  void AppendTo(std::string& out) const {
    out += std::to_string(limbs_[size_ - 1]);
    for (std::size_t i = size_ - 1; i-- > 0;) AppendNineDigits(out, limbs_[i]);
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    for (; carry > 0; carry /= kBase) limbs_[size_++] = static_cast<std::uint32_t>(carry % kBase);
  }

  std::array<std::uint32_t, 36> limbs_;  // only the first size_ hold a value
  std::size_t size_ = 0;
};

// The fraction part of a double as a binary fraction of whole 32-bit limbs,
// least significant first. Multiplying it by 10^9 carries the next nine
// decimal digits out of the top limb, with no division at all.
class Fraction {
 public:
  // significand / 2^shift with shift > 0, whole part dropped.
  Fraction(std::uint64_t significand, int shift) : size_((shift + 31) / 32) {
    if (shift < 64) significand &= (std::uint64_t{1} << shift) - 1;
    const int offset = 32 * static_cast<int>(size_) - shift;  // aligns the point to a limb
    for (std::size_t i = 0; i < size_; ++i) {
      const int from = 32 * static_cast<int>(i) - offset;  // bit of significand in limb i
      const std::uint64_t part = from >= 64   ? 0
                                 : from >= 0  ? significand >> from
                                 : from > -32 ? significand << -from
                                              : 0;
      limbs_[i] = static_cast<std::uint32_t>(part);
    }
    SkipZeroLimbs();
  }

  bool IsZero() const { return low_ == size_; }

  std::uint32_t NextNineDigits() {
    std::uint64_t carry = 0;
    for (std::size_t i = low_; i < size_; ++i) {
      const std::uint64_t product = std::uint64_t{limbs_[i]} * 1'000'000'000 + carry;
      limbs_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    SkipZeroLimbs();
    return static_cast<std::uint32_t>(carry);
  }

 private:
  // Each step adds nine zero bits at the bottom, so low limbs empty for good.
  void SkipZeroLimbs() {
    while (low_ < size_ && limbs_[low_] == 0) ++low_;
  }

  std::array<std::uint32_t, 34> limbs_;  // 1074 fraction bits at most
  std::size_t size_;
  std::size_t low_ = 0;
};

// Digits of a finite magnitude's exact decimal value: the integer part, then
// fraction digits nine at a time until `enough(digits)` holds or the fraction
// ends. `rest` tells whether nonzero digits were left unwritten.
struct ExactPrefix {
  std::string digits;
  std::size_t integerDigits = 0;
  bool rest = false;
};

template <typename Enough>
ExactPrefix ExactDigits(double magnitude, Enough enough) {
  std::uint64_t bits = 0;  // emscripten's standard library has no std::bit_cast
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased > 0) significand |= std::uint64_t{1} << 52;
  const int exponent = (biased > 0 ? biased : 1) - 1075;  // magnitude = significand * 2^exponent
  ExactPrefix exact;
  if (exponent >= 0) {
    Decimal whole(significand);
    whole.MultiplyByPowerOfTwo(exponent);
    whole.AppendTo(exact.digits);
    exact.integerDigits = exact.digits.size();
    return exact;
  }
  const int shift = -exponent;
  exact.digits = std::to_string(shift < 64 ? significand >> shift : 0);
  exact.integerDigits = exact.digits.size();
  Fraction fraction(significand, shift);
  while (!fraction.IsZero() && !enough(exact))
    AppendNineDigits(exact.digits, fraction.NextNineDigits());
  exact.rest = !fraction.IsZero();
  return exact;
}

}  // namespace

std::string Scientific14(double magnitude) {
  constexpr std::size_t kSignificant = 15;
  // The fifteen digits and the next one decide; past them only whether any is nonzero.
  const ExactPrefix exact = ExactDigits(magnitude, [](const ExactPrefix& e) {
    const std::size_t first = e.digits.find_first_not_of('0');
    return first != std::string::npos && e.digits.size() > first + kSignificant;
  });
  const std::size_t first = std::min(exact.digits.find_first_not_of('0'), exact.digits.size());
  int exponent = static_cast<int>(exact.integerDigits) - 1 - static_cast<int>(first);
  std::string digits = exact.digits.substr(first, kSignificant);
  digits.append(kSignificant - digits.size(), '0');
  // Ties to even, judged on every exact digit past the fifteenth.
  const std::size_t beyond = first + kSignificant;
  const char next = beyond < exact.digits.size() ? exact.digits[beyond] : '0';
  const bool rest =
      exact.rest || (beyond + 1 < exact.digits.size() &&
                     exact.digits.find_first_not_of('0', beyond + 1) != std::string::npos);
  if (next > '5' || (next == '5' && (rest || (digits.back() - '0') % 2 == 1))) {
    IncrementDigits(digits);
    if (digits.size() > kSignificant) {
      digits.pop_back();
      ++exponent;
    }
  }
  if (first == exact.digits.size()) exponent = 0;
  const int power = std::abs(exponent);
  std::string out = digits.substr(0, 1) + "." + digits.substr(1) + (exponent < 0 ? "e-" : "e+");
  if (power < 10) out += '0';
  return out + std::to_string(power);
}

CutDigits Cut(double magnitude, int decimals) {
  const auto wanted = static_cast<std::size_t>(decimals);
  ExactPrefix exact = ExactDigits(magnitude, [wanted](const ExactPrefix& e) {
    return e.digits.size() >= e.integerDigits + wanted;
  });
  exact.digits.resize(exact.integerDigits + wanted, '0');
  return {std::move(exact.digits), exact.integerDigits};
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A number of at most 15 significant digits times a power of ten within
// 10^±22: both are exact doubles, so one multiplication or division rounds
// the value exactly as strtod would, much faster than its long double work.
std::optional<double> ReadShort(std::string_view number) {
  std::uint64_t significand = 0;
  int digits = 0;
  int power = 0;
  std::size_t at = 0;
  for (bool fraction = false; at < number.size() && (IsDigit(number[at]) || number[at] == '.');
       ++at) {
    if (number[at] == '.') {
      fraction = true;
      continue;
    }
    if (significand == 0 && number[at] == '0') {
      power -= fraction;
      continue;
    }
    if (++digits > 15) return std::nullopt;
    significand = significand * 10 + static_cast<std::uint64_t>(number[at] - '0');
    power -= fraction;
  }
  if (significand == 0) return 0.0;
  if (at < number.size()) {  // the exponent: sign and digits
    const bool negative = number[++at] == '-';
    at += !IsDigit(number[at]);
    int exponent = 0;
    for (; at < number.size() && exponent < 1000; ++at) exponent = exponent * 10 + number[at] - '0';
    power += negative ? -exponent : exponent;
  }
  constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (power < -22 || power > 22) return std::nullopt;
  const auto value = static_cast<double>(significand);
  return power < 0 ? value / kPowers[-power] : value * kPowers[power];
}

}  // namespace

// strtod reports both overflow and underflow through errno, but also for
// results that are merely subnormal; the value itself tells the two apart.
std::optional<double> Read(std::string_view number) {
  if (const auto value = ReadShort(number)) return value;
  const std::string text(number);
  const double value = std::strtod(text.c_str(), nullptr);
  const std::string_view significand = number.substr(0, number.find_first_of("eE"));
  const bool nonzero = significand.find_first_not_of("0.") != std::string_view::npos;
  if (std::isinf(value) || (value == 0 && nonzero)) return std::nullopt;
  return value;
}

}  // namespace kviltora::portable_digits
