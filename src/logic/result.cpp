#include <cstdint>

#include "number_text.h"
#include "procedures.h"
#include "trace.h"

namespace kviltora {

void ComposeResult(MainForm& form) {
  const ListBox& digits = form.Diapazon[2];
  TextBox& trace = form.Text1[2];
  const std::int16_t m = static_cast<std::int16_t>(digits.ListCount() - 1);
  AppendLine(trace, "Новото число се формира от изчислените остатъци.");
  AppendLine(trace, "Подредбата е в реда на получаването им.");
  Append(trace, "0.");
  for (std::int16_t i = 0; i <= m; ++i) Append(trace, digits.List(i));
  Append(trace, kCrLf);
  CheckResult(form);
}

// The n-th term is 2^-n times a digit, which has exactly n decimals: writing
// every line with as many decimals as there are digits keeps the check exact,
// so the sum differs from the input only by the digits cut off. With no digit
// there is nothing to be exact about, and the sum keeps the default decimals.
void CheckResult(MainForm& form) {
  const ListBox& digits = form.Diapazon[2];
  TextBox& trace = form.Text1[2];
  const std::int16_t m = static_cast<std::int16_t>(digits.ListCount() - 1);
  const std::int16_t decimals = digits.ListCount() > 0 ? static_cast<std::int16_t>(m + 1) : m;
  double sum = 0;
  double w = 1.0 / 2;
  AppendLine(trace, kCheckHeading);
  for (std::int16_t i = 0; i <= m; ++i) {
    const double d = ParseLeadingNumber(digits.List(i));
    const double t = w * d;
    AppendLine(trace, "+" + FormatFixed(t, decimals));
    w = w / 2;
    sum = sum + t;
  }
  AppendLine(trace, "След обратно преобразуване числото е: " + FormatFixed(sum, decimals));
}

}  // namespace kviltora
