#include <charconv>
#include <system_error>
#include <vector>

#include "decimal_digits.h"

namespace kviltora::charconv_digits {
namespace {

std::string Write(double magnitude, std::chars_format format, int precision) {
  // A double's largest value has 309 integer digits.
  std::vector<char> buffer(static_cast<std::size_t>(precision) + 320);
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, format, precision);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string Scientific14(double magnitude) {
  return Write(magnitude, std::chars_format::scientific, 14);
}

std::string Fixed(double magnitude, int decimals) {
  return Write(magnitude, std::chars_format::fixed, decimals);
}

std::optional<double> Read(std::string_view number) {
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  return value;
}

}  // namespace kviltora::charconv_digits
