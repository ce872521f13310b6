#include "announcements.h"

#include <algorithm>
#include <string_view>

#include "form_model.h"
#include "trace.h"
#include "window_look.h"

namespace kviltora {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(kCrLf, start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The binary result and the value it converts back to; a refused calculation
// leaves only its reason, which is said instead.
std::vector<std::string> CalculationOutcome(const MainForm& form) {
  const std::vector<std::string> lines = Lines(form.Text1[2].Text);
  const auto check = std::find(lines.begin(), lines.end(), kCheckHeading);
  if (check == lines.begin() || check == lines.end()) return lines;
  return {*(check - 1), lines.back()};
}

}  // namespace

std::vector<std::string> AfterCommand1Click(const MainForm& form, std::int16_t index) {
  if (index == 0) return CalculationOutcome(form);
  if (index == 1) return {"Всичко е изчистено."};
  return {};
}

std::vector<std::string> AfterDiapazonClick(const MainForm& form, std::int16_t index) {
  if (index != 0 || form.Text1[1].Text.empty()) return {};
  return {"Нова дроб: " + form.Text1[1].Text};
}

std::vector<std::string> OnListFocus(const MainForm& form, std::int16_t index) {
  if (form.Diapazon[index].ListIndex() >= 0) return {};
  return {"Нищо не е избрано."};
}

std::string Text1AccessibleName(const MainForm& form, std::int16_t index) {
  const std::string name = LookOf(ControlKind::kTextBox, index).accessibleName;
  return form.Text1[index].Enabled ? name : name + ", недостъпно";
}

}  // namespace kviltora
