#include "input_limit.h"

#include "window_look.h"

namespace kviltora {
namespace {

bool IsHigh(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string FitInput(std::u16string_view typed) {
  const std::u16string_view kept = typed.substr(0, kInputMaxUnits);
  std::u16string whole;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (IsHigh(kept[i]) && i + 1 < kept.size() && IsLow(kept[i + 1])) {
      whole += kept.substr(i++, 2);
    } else if (!IsHigh(kept[i]) && !IsLow(kept[i])) {
      whole += kept[i];
    }
  }
  return whole;
}

}  // namespace kviltora
