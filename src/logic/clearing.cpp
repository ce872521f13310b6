#include <cmath>

#include "number_text.h"
#include "procedures.h"
#include "random.h"
#include "trace.h"

namespace kviltora {

void ClearAll(MainForm& form) {
  form.Diapazon[2].Clear();
  form.Text1[2].Text.clear();
  form.Text1[1].Text.clear();
  form.Text1[1].Enabled = true;
}

void PickRandomFraction(MainForm& form) {
  ClearAll(form);
  const ListBox& ranges = form.Diapazon[0];
  if (ranges.ListIndex() < 0) return;
  const double r = ParseLeadingNumber(ranges.List(ranges.ListIndex()));
  const float u = NextRandom();
  const double k = std::fmod(Int(r * static_cast<double>(u)), r) + 1;
  form.Text1[1].Text = FormatGeneral(k / r);
}

}  // namespace kviltora
