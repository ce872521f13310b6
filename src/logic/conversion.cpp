#include <cmath>
#include <optional>
#include <string>

#include "number_text.h"
#include "procedures.h"
#include "refusals.h"
#include "trace.h"

namespace kviltora {
namespace {

bool InputTooLarge(const MainForm& form) {
  try {
    ParseLeadingNumber(form.Text1[1].Text);
    return false;
  } catch (const NumberOverflow&) {
    return true;
  }
}

// Why a calculation cannot start, if it cannot.
std::optional<std::string_view> Refusal(const MainForm& form) {
  if (form.Diapazon[1].ListIndex() < 0) return kChooseCount;
  if (InputTooLarge(form)) return kTooLarge;
  return std::nullopt;
}

// Leaves the input editable so that the user can mend what was refused.
void Refuse(MainForm& form, std::string_view reason) {
  form.Diapazon[2].Clear();
  form.Text1[2].Text.clear();
  AppendLine(form.Text1[2], reason);
}

}  // namespace

void Calculate(MainForm& form) {
  if (const auto reason = Refusal(form)) {
    Refuse(form, *reason);
    return;
  }
  form.Text1[1].Enabled = false;
  ConvertFraction(form);
  ComposeResult(form);
}

void ConvertFraction(MainForm& form) {
  const ListBox& counts = form.Diapazon[1];
  const std::string n = counts.List(counts.ListIndex());
  const double x = std::abs(ParseLeadingNumber(form.Text1[1].Text));
  double frac = x - Int(x);

  TextBox& trace = form.Text1[2];
  trace.Text.clear();
  AppendLine(trace, "Преобразувам десетичната дроб: " + FormatGeneral(frac));
  ListBox& digits = form.Diapazon[2];
  digits.Clear();
  for (std::int16_t h = 1; CounterBelow(h, n) && frac > 0; ++h) {
    AppendLine(trace, FormatGeneral(2 * frac));
    frac = 2 * frac;
    const double d = Int(frac);
    digits.AddItem(FormatGeneral(d));
    frac = frac - d;
  }
}

}  // namespace kviltora
