#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input_limit.h"

namespace kviltora {

struct MainForm;

// Everything a user can do to the window, one entry point each, named for the
// event of the form it raises. Each applies the form's rules and returns what a
// screen reader says next, in the order said; a shell turns its own events into
// these calls, then redraws from the form and says the lines. So typing, a
// screen reader, switch access and a second shell all meet the same rules.
using Said = std::vector<std::string>;

// Typing, pasting, dropping, undoing, an input method or a screen reader
// changing Text1(index): `shown` is the text as the box would now show it and
// `caret` where its caret stands. The form keeps what the box may keep (see
// KeepEdit); a locked or disabled box keeps what it had. Returns where the caret
// stands in what the form kept.
std::size_t UserText1Change(MainForm& form, std::int16_t index, std::u16string_view shown,
                            std::size_t caret);

// What the same change would leave in the box, for a shell that checks an edit
// before showing it; the form is not changed.
BoxEdit Text1Kept(const MainForm& form, std::int16_t index, std::u16string_view shown,
                  std::size_t caret);

// A row chosen by any means (mouse, keys, type-ahead, touch, assistive
// technology) becomes the one selected row, and the list's Click follows, even
// for the row already selected. A selection is never taken away: row -1, or a
// row the list does not have, changes nothing and raises no Click.
Said UserDiapazonClick(MainForm& form, std::int16_t index, std::int16_t row);

Said UserCommand1Click(MainForm& form, std::int16_t index);

// Taking the focus changes nothing, but a list without a selection says so.
Said UserDiapazonFocus(const MainForm& form, std::int16_t index);

}  // namespace kviltora
