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

// Every line has one decimal fewer than the last term needs; that rounding is
// what the pupil is meant to see.
void CheckResult(MainForm& form) {
  const ListBox& digits = form.Diapazon[2];
  TextBox& trace = form.Text1[2];
  const std::int16_t m = static_cast<std::int16_t>(digits.ListCount() - 1);
  double sum = 0;
  double w = 1.0 / 2;
  AppendLine(trace, kCheckHeading);
  for (std::int16_t i = 0; i <= m; ++i) {
    const double d = ParseLeadingNumber(digits.List(i));
    const double t = w * d;
    AppendLine(trace, "+" + FormatFixed(t, m));
    w = w / 2;
    sum = sum + t;
  }
  AppendLine(trace, "След обратно преобразуване числото е: " + FormatFixed(sum, m));
}

}  // namespace kviltora
