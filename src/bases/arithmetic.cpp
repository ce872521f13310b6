#include "arithmetic.h"

#include <algorithm>

namespace kviltora::bases::arithmetic {
namespace {

int Digit(char c) {
  return c - '0';
}
char Char(unsigned d) {
  return static_cast<char>('0' + d);
}

}  // namespace

std::string Trimmed(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

int Compare(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

std::string Plus(std::string_view a, std::string_view b) {
  std::string out;
  unsigned carry = 0;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
    unsigned sum = carry;
    if (i < a.size()) sum += Digit(a[a.size() - 1 - i]);
    if (i < b.size()) sum += Digit(b[b.size() - 1 - i]);
    out += Char(sum % 10);
    carry = sum / 10;
  }
  std::reverse(out.begin(), out.end());
  return Trimmed(out);
}

std::string Minus(std::string_view a, std::string_view b) {
  std::string out;
  int borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    int d = Digit(a[a.size() - 1 - i]) - borrow - (i < b.size() ? Digit(b[b.size() - 1 - i]) : 0);
    borrow = d < 0;
    out += Char(static_cast<unsigned>(d + 10 * borrow));
  }
  std::reverse(out.begin(), out.end());
  return Trimmed(out);
}

std::string Times(std::string_view a, unsigned factor) {
  std::string out;
  unsigned carry = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    const unsigned product = Digit(a[i]) * factor + carry;
    out += Char(product % 10);
    carry = product / 10;
  }
  for (; carry > 0; carry /= 10) out += Char(carry % 10);
  std::reverse(out.begin(), out.end());
  return Trimmed(out);
}

std::string PlusSmall(std::string_view a, unsigned addend) {
  return Plus(a, std::to_string(addend));
}

ShortDivision Divided(std::string_view a, unsigned divisor) {
  ShortDivision out;
  for (char c : a) {
    const unsigned part = out.remainder * 10 + Digit(c);
    out.quotient += Char(part / divisor);
    out.remainder = part % divisor;
  }
  out.quotient = Trimmed(out.quotient);
  return out;
}

Decimal Sum(const Decimal& a, const Decimal& b) {
  const std::size_t decimals = std::max(a.decimals, b.decimals);
  const auto scaled = [decimals](const Decimal& x) {
    return x.digits + std::string(decimals - x.decimals, '0');
  };
  return {Plus(scaled(a), scaled(b)), decimals};
}

Decimal DividedByPowerOfTwo(Decimal x, unsigned k) {
  for (unsigned i = 0; i < k; ++i) x.digits = Times(x.digits, 5);
  x.decimals += k;
  return x;
}

std::string DecimalText(const Decimal& x) {
  std::string digits = x.digits;
  if (digits.size() <= x.decimals) digits.insert(0, x.decimals + 1 - digits.size(), '0');
  const std::size_t point = digits.size() - x.decimals;
  std::string decimals = digits.substr(point);
  decimals.erase(decimals.find_last_not_of('0') + 1);
  std::string out = digits.substr(0, point);
  if (!decimals.empty()) (out += '.') += decimals;
  return out;
}

Decimal DecimalOf(std::string_view whole, std::string_view fraction) {
  return {Trimmed(std::string(whole) + std::string(fraction)), fraction.size()};
}

std::string QuotientText(std::string_view a, std::string_view b, std::size_t most) {
  std::string quotient;
  std::string remainder = "0";
  std::size_t decimals = 0;
  const auto nextDigit = [&](char c) {
    remainder = Trimmed(remainder + c);
    unsigned digit = 0;
    for (; Compare(remainder, b) >= 0; ++digit) remainder = Minus(remainder, b);
    quotient += Char(digit);
  };
  for (char c : a) nextDigit(c);
  while (remainder != "0" && decimals < most) {
    nextDigit('0');
    ++decimals;
  }
  return DecimalText({Trimmed(quotient), decimals});
}

}  // namespace kviltora::bases::arithmetic
