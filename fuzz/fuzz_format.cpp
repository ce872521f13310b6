// Writing doubles: the general text reads back, the fixed text is the exact
// value correctly rounded.
//
// The input is a run of 11-byte records, the last one padded with zeros:
// 8 bytes of a double's bits (little-endian), one byte choosing -1..30
// decimals, and two bytes choosing -1199..1199 decimals, which reach past the
// 1074 decimals that the exact value of a double can have.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "number_text.h"

namespace kviltora {
namespace {

using fuzz::Require;

// A natural number in base 10^9, least significant limb first; enough to
// write any double's exact decimal value.
class BigNatural {
 public:
  explicit BigNatural(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value > 0);
  }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    for (; carry > 0; carry /= kBase) limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
  }

  std::string Digits() const {
    std::string digits = std::to_string(limbs_.back());
    for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
      const std::string limb = std::to_string(*it);
      digits += std::string(9 - limb.size(), '0') + limb;
    }
    return digits;
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

std::uint32_t FiveToThe(int power) {
  std::uint32_t result = 1;
  while (power-- > 0) result *= 5;
  return result;
}

struct ExactDecimal {
  std::string integer;   // at least one digit
  std::string fraction;  // every digit up to the last nonzero one, or more
};

// |x| = m * 2^e with a 53-bit m; for e < 0 that is m * 5^-e / 10^-e.
ExactDecimal Expand(double x) {
  int e = 0;
  const double significand = std::frexp(std::fabs(x), &e);
  BigNatural n(static_cast<std::uint64_t>(std::ldexp(significand, 53)));
  e -= 53;
  for (int left = e; left > 0; left -= 29) n.Multiply(1u << std::min(left, 29));
  const int places = std::max(-e, 0);
  for (int left = places; left > 0; left -= 13) n.Multiply(FiveToThe(std::min(left, 13)));
  std::string digits = n.Digits();
  const std::size_t p = static_cast<std::size_t>(places);
  if (digits.size() <= p) digits.insert(0, p + 1 - digits.size(), '0');
  return {digits.substr(0, digits.size() - p), digits.substr(digits.size() - p)};
}

// Rounding half away from zero is adding half a unit to the magnitude and
// cutting off what lies below the unit.
std::string RoundedExactly(double x, std::int16_t decimals) {
  const std::size_t places = decimals < 0 ? 2 : static_cast<std::size_t>(decimals);
  ExactDecimal exact = Expand(x);
  exact.fraction.resize(std::max(exact.fraction.size(), places + 1), '0');
  std::string digits = exact.integer + exact.fraction.substr(0, places + 1);
  int carry = 5;
  for (auto it = digits.rbegin(); it != digits.rend() && carry > 0; ++it) {
    const int sum = (*it - '0') + carry;
    *it = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
  }
  if (carry > 0) digits.insert(0, 1, '1');
  digits.pop_back();
  std::string text = digits.substr(0, digits.size() - places);
  if (places > 0) text += "." + digits.substr(digits.size() - places);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return (x < 0 && !zero ? "-" : "") + text;
}

std::size_t DecimalsOf(const std::string& text) {
  const std::size_t point = text.find('.');
  return point == std::string::npos ? 0 : text.size() - point - 1;
}

std::optional<double> ReadBack(const std::string& text) {
  try {
    return ParseLeadingNumber(text);
  } catch (const NumberOverflow&) {
    return std::nullopt;
  }
}

// Fifteen digits can name a value just beyond the largest double; only that
// text may overflow.
void CheckGeneral(double x) {
  const std::string text = FormatGeneral(x);
  const std::optional<double> y = ReadBack(text);
  if (!y) {
    Require(text == "1.79769313486232E+308" || text == "-1.79769313486232E+308",
            "only the largest doubles write a text that overflows", text);
    return;
  }
  Require(FormatGeneral(*y) == text, "the general text reads back to itself", text);
  const double tolerance = std::fabs(x) * 1e-14 + std::numeric_limits<double>::denorm_min();
  Require(std::fabs(*y - x) <= tolerance, "the general text is within 1e-14 of the value", text);
}

void CheckFixed(double x, std::int16_t decimals) {
  const std::string text = FormatFixed(x, decimals);
  const std::size_t places = decimals < 0 ? 2 : static_cast<std::size_t>(decimals);
  Require(DecimalsOf(text) == places, "the fixed text has the requested decimals", text);
  Require(text == RoundedExactly(x, decimals), "the fixed text is the exact value rounded", text);
}

struct Record {
  double x;
  std::int16_t smallDecimals;
  std::int16_t anyDecimals;
};

Record Decode(const std::uint8_t* bytes) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes[i];
  Record r{};
  std::memcpy(&r.x, &bits, sizeof r.x);
  r.smallDecimals = static_cast<std::int16_t>(bytes[8] % 32 - 1);
  r.anyDecimals =
      static_cast<std::int16_t>(static_cast<std::int16_t>(bytes[9] | bytes[10] << 8) % 1200);
  return r;
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  constexpr std::size_t kRecord = 11;
  for (std::size_t at = 0; at < size; at += kRecord) {
    std::array<std::uint8_t, kRecord> bytes{};
    std::memcpy(bytes.data(), data + at, std::min(kRecord, size - at));
    const Record r = Decode(bytes.data());
    if (!std::isfinite(r.x)) continue;
    CheckGeneral(r.x);
    // Every double in [0, 1] is reached: itself, or the reciprocal of a larger one.
    const double unit = std::fabs(r.x) <= 1 ? std::fabs(r.x) : 1 / std::fabs(r.x);
    CheckFixed(unit, r.smallDecimals);
    CheckFixed(r.x, r.anyDecimals);
  }
  return 0;
}
