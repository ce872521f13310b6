#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kviltora {

struct MainForm;

// What a screen reader says after an event, in the order said, so that a
// pupil who cannot see the window hears what the event changed. Empty when the
// event changed nothing worth saying. Every shell announces the same lines.
std::vector<std::string> AfterCommand1Click(const MainForm& form, std::int16_t index);
std::vector<std::string> AfterDiapazonClick(const MainForm& form, std::int16_t index);

// Said when a list takes the focus and no item of it is selected; a selected
// item is named by the focus itself.
std::vector<std::string> OnListFocus(const MainForm& form, std::int16_t index);

// A text box's name for a screen reader: a disabled box says so, since a
// reader that skips it on the keyboard may still read it on the screen.
std::string Text1AccessibleName(const MainForm& form, std::int16_t index);

}  // namespace kviltora
