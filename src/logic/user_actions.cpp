#include "user_actions.h"

#include <algorithm>

#include "announcements.h"
#include "form_model.h"
#include "procedures.h"
#include "window_look.h"

namespace kviltora {

BoxEdit Text1Kept(const MainForm& form, std::int16_t index, std::u16string_view shown,
                  std::size_t caret) {
  const std::u16string before = ToUtf16(form.Text1[index].Text);
  if (LookOf(ControlKind::kTextBox, index).locked || !form.Text1[index].Enabled) {
    return {before, std::min(caret, before.size())};
  }
  return KeepEdit(before, shown, caret);
}

std::size_t UserText1Change(MainForm& form, std::int16_t index, std::u16string_view shown,
                            std::size_t caret) {
  const BoxEdit kept = Text1Kept(form, index, shown, caret);
  form.Text1[index].Text = ToUtf8(kept.text);
  return kept.caret;
}

Said UserDiapazonClick(MainForm& form, std::int16_t index, std::int16_t row) {
  ListBox& list = form.Diapazon[index];
  if (row < 0 || row >= list.ListCount()) return {};
  list.Select(row);
  OnDiapazonClick(form, index);
  return AfterDiapazonClick(form, index);
}

Said UserCommand1Click(MainForm& form, std::int16_t index) {
  OnCommand1Click(form, index);
  return AfterCommand1Click(form, index);
}

Said UserDiapazonFocus(const MainForm& form, std::int16_t index) {
  return OnListFocus(form, index);
}

}  // namespace kviltora
