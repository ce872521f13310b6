#pragma once

#include <string_view>

#include "form_model.h"

namespace kviltora {

// The line that opens the check, after the binary result.
inline constexpr std::string_view kCheckHeading = "Проверка на резултата: ";

// The output box is the one accumulator of the trace: every piece is added to
// what it already holds.
inline void Append(TextBox& box, std::string_view piece) {
  box.Text += piece;
}

inline void AppendLine(TextBox& box, std::string_view line) {
  Append(box, line);
  Append(box, kCrLf);
}

}  // namespace kviltora
