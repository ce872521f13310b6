#include "text_fill.h"

namespace kviltora {

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  auto value = values.begin();
  for (char c : pattern) {
    if (c == '%' && value != values.end()) {
      out += *value++;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Grouped(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return out;
}

}  // namespace kviltora
