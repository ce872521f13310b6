#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

#include "decimal_digits.h"

namespace kviltora::charconv_digits {

std::string Scientific14(double magnitude) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, 14);
  return std::string(buffer.data(), result.ptr);
}

CutDigits Cut(double magnitude, int decimals) {
  // Enough decimals to write any double exactly; a largest double has 309 integer digits.
  constexpr int kExactDecimals = 1080;
  std::array<char, kExactDecimals + 320> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::fixed, kExactDecimals);
  const std::string_view exact(buffer.data(), result.ptr - buffer.data());
  const std::size_t point = exact.find('.');
  CutDigits cut{std::string(exact.substr(0, point)), point};
  // Beyond the decimals written above the exact value has only zeros.
  const auto wanted = static_cast<std::size_t>(decimals);
  const std::string_view fraction = exact.substr(point + 1, wanted);
  cut.digits.append(fraction).append(wanted - fraction.size(), '0');
  return cut;
}

std::optional<double> Read(std::string_view number) {
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  return value;
}

}  // namespace kviltora::charconv_digits
