#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QWidget;

namespace kviltora {

struct MainForm;

// What screen readers need beyond the widgets' own answers. None of it
// changes what the window shows or where the focus goes.

// The input reads its whole text as one run.
void DescribeInputForScreenReaders(QLineEdit* input);

// A list that takes the focus names its selected item; without one, the form
// says what to announce.
void NameSelectionOnFocus(QListWidget* list, const MainForm& form, std::int16_t index);

// Says the lines without moving the focus, as a notification of the window.
void Announce(QWidget* window, const std::vector<std::string>& lines);

}  // namespace kviltora
