#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "decimal_digits.h"

namespace kviltora::portable_digits {
namespace {

// A natural number below 10^1152 in base 10^9, least significant limb first:
// room for any double's integer part (309 digits) and for its fraction scaled
// to a whole number (at most 1074 digits).
class Decimal {
 public:
  explicit Decimal(std::uint64_t value) {
    do {
      limbs_[size_++] = static_cast<std::uint32_t>(value % kBase);
      value /= kBase;
    } while (value > 0);
  }

  // Multiplies by factor^count; factor * kBase must fit in 64 bits.
  void MultiplyBy(std::uint32_t factor, int count) {
    for (; count > 0; --count) {
      std::uint64_t carry = 0;
      for (std::size_t i = 0; i < size_; ++i) {
        const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
        limbs_[i] = static_cast<std::uint32_t>(product % kBase);
        carry = product / kBase;
      }
      for (; carry > 0; carry /= kBase) limbs_[size_++] = static_cast<std::uint32_t>(carry % kBase);
    }
  }

  // Appends the digits, at least `width` of them with leading zeros.
  void AppendTo(std::string& out, std::size_t width) const {
    std::size_t topDigits = 1;
    for (std::uint32_t top = limbs_[size_ - 1]; top >= 10; top /= 10) ++topDigits;
    const std::size_t length = topDigits + 9 * (size_ - 1);
    out.append(width > length ? width - length : 0, '0');
    const std::size_t start = out.size();
    out.resize(start + length);
    char* at = out.data() + out.size();
    for (std::size_t i = 0; i + 1 < size_; ++i) {
      std::uint32_t limb = limbs_[i];
      for (int d = 0; d < 9; ++d, limb /= 10) *--at = static_cast<char>('0' + limb % 10);
    }
    for (std::uint32_t top = limbs_[size_ - 1]; at > out.data() + start; top /= 10) {
      *--at = static_cast<char>('0' + top % 10);
    }
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;
  std::array<std::uint32_t, 128> limbs_;  // only the first size_ hold a value
  std::size_t size_ = 0;
};

std::uint32_t Power(std::uint32_t base, int exponent) {
  std::uint32_t power = 1;
  for (; exponent > 0; --exponent) power *= base;
  return power;
}

// Multiplies by 2^exponent or 5^exponent in steps that keep every product in 64 bits.
void MultiplyByPowerOf(Decimal& n, std::uint32_t base, int exponent) {
  const int step = base == 2 ? 29 : 13;  // 2^29 and 5^13 stay below 2^31
  n.MultiplyBy(Power(base, step), exponent / step);
  n.MultiplyBy(Power(base, exponent % step), 1);
}

// Every digit of a finite magnitude's exact decimal value: the integer part,
// then the fraction with its trailing zeros.
CutDigits ExactDigits(double magnitude) {
  std::uint64_t bits = 0;  // emscripten's standard library has no std::bit_cast
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased > 0) significand |= std::uint64_t{1} << 52;
  const int exponent = (biased > 0 ? biased : 1) - 1075;  // magnitude = significand * 2^exponent
  CutDigits exact;
  if (exponent >= 0) {
    Decimal whole(significand);
    MultiplyByPowerOf(whole, 2, exponent);
    whole.AppendTo(exact.digits, 1);
    exact.integerDigits = exact.digits.size();
    return exact;
  }
  const int shift = -exponent;
  exact.digits = std::to_string(shift < 64 ? significand >> shift : 0);
  exact.integerDigits = exact.digits.size();
  // The fraction f / 2^shift is f * 5^shift / 10^shift: shift digits of f * 5^shift.
  Decimal fraction(shift < 64 ? significand & ((std::uint64_t{1} << shift) - 1) : significand);
  MultiplyByPowerOf(fraction, 5, shift);
  fraction.AppendTo(exact.digits, static_cast<std::size_t>(shift));
  return exact;
}

// Adds one unit in the last place; a carry out of the first digit prepends a "1".
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string Scientific14(double magnitude) {
  constexpr std::size_t kSignificant = 15;
  const CutDigits exact = ExactDigits(magnitude);
  const std::size_t first = std::min(exact.digits.find_first_not_of('0'), exact.digits.size());
  int exponent = static_cast<int>(exact.integerDigits) - 1 - static_cast<int>(first);
  std::string digits = exact.digits.substr(first, kSignificant);
  digits.append(kSignificant - digits.size(), '0');
  // Ties to even, judged on every exact digit past the fifteenth.
  const std::size_t beyond = first + kSignificant;
  const char next = beyond < exact.digits.size() ? exact.digits[beyond] : '0';
  const bool rest = beyond + 1 < exact.digits.size() &&
                    exact.digits.find_first_not_of('0', beyond + 1) != std::string::npos;
  if (next > '5' || (next == '5' && (rest || (digits.back() - '0') % 2 == 1))) {
    Increment(digits);
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
  CutDigits cut = ExactDigits(magnitude);
  cut.digits.resize(cut.integerDigits + static_cast<std::size_t>(decimals), '0');
  return cut;
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
