#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bases.h"
#include "user_actions.h"
#include "window_look.h"

namespace kviltora {

struct MainForm;

// A page's address fragment names what the page shows, so that a teacher can
// share an example: "x=0.3&n=12" the example of 0.3 with the count 12,
// "x=0.3&n=12&mode=practice" the exercise on it, "sheet=SEED&r=100&n=10" a
// worksheet of doublings, "sheet=SEED&kinds=d,i,f,p,g" one of every kind, and
// "from=10&to=2&x=37.625" the number-systems part with that conversion worked.
// Values are percent-encoded; the keys may come in any order.
enum class LinkShows { kWindow, kExample, kPractice, kSheet, kBases };

// The kinds of task a worksheet may hold, by their letters in a link, in the
// order the sheet takes them in turn: the doubling of a decimal fraction, a
// whole number 10 → 2, 8, 16, a fraction 10 → 2, 8, 16, 2, 8, 16 → 10, and
// between 2, 8 and 16.
inline constexpr std::string_view kSheetKindLetters = "difpg";
inline constexpr std::string_view kDoublingOnly = "d";

// A worksheet is its seed, the rows chosen in Diapazon(0) and Diapazon(1), and
// the letters of its kinds of task, in the order of kSheetKindLetters.
struct SheetChoice {
  std::uint32_t seed = 0;
  std::int16_t rangeRow = -1;
  std::int16_t countRow = -1;
  std::string kinds = std::string(kDoublingOnly);
  bool operator==(const SheetChoice&) const = default;
};

// A new worksheet of the ranges and counts the window has chosen, "100" and "10"
// where it has none, with a new seed, of the kinds named (any order, each once).
SheetChoice NewSheet(const MainForm& form, std::string_view kinds = kDoublingOnly);

// The letters as a sheet holds them, in their order and each once, from any
// text that names some of them ("g,d", "pd", "ddf"); only the doubling when
// it names none.
std::string KindsOf(std::string_view letters);

// A conversion between number systems: the bases and the number as typed,
// empty when the link names only the bases.
struct BasesChoice {
  int from = bases::kDefaultFrom;
  int to = bases::kDefaultTo;
  std::string number;
  bool operator==(const BasesChoice&) const = default;
};

struct Link {
  LinkShows shows = LinkShows::kWindow;
  std::string fraction;  // as the input box keeps it
  std::int16_t countRow = -1;
  std::string count;  // the item text of countRow
  SheetChoice sheet;
  BasesChoice bases;
  // Why nothing of the link can be used, one line; empty for a usable link.
  std::string notice;
};

// No link the page writes comes near this; a longer one is refused unread.
inline constexpr std::size_t kLinkMaxLength = 256;

// Reads a fragment, with or without its "#". An empty one shows the window as
// at start. A link with anything it cannot use shows the window as at start
// with a notice: nothing of it is half used. A number-systems link that
// cannot be used shows that part as at start, with the notice.
Link ReadLink(std::string_view fragment);

// What a link opens, on the form as at start: the window, or the example
// calculated as after «Изчисли» (the fraction typed into the input as a screen
// reader sets it, the count chosen). A practice link types and chooses the
// same but calculates nothing; a sheet link leaves the form at start. The page
// opens the rest from the link.
struct Opened {
  Link link;
  Said said;  // the notice, or what the calculation says
};
Opened OpenLink(MainForm& form, std::string_view fragment);
// The same for a link already read: what OpenLink says of it. The page reads a
// link apart from the window's form, in the part that knows every kind of link,
// and the window's form shows it.
Said ShowLink(MainForm& form, const Link& link);

// What the window shows as a link needs: the calculated fraction and the
// chosen count, or nothing while it shows no calculation. The window's form
// gives it; the part that writes links turns it into the fragment.
struct ShownExample {
  std::string fraction;  // as the input box keeps it
  std::string count;     // the item text of the chosen count
  bool operator==(const ShownExample&) const = default;
};
std::optional<ShownExample> ExampleShown(const MainForm& form);
std::string LinkOf(const std::optional<ShownExample>& shown);
// A button's or the range list's click changes what the window shows, so the
// address follows it; the other lists change nothing until the next calculation.
bool ClickChangesLink(ControlKind kind, std::int16_t index);

// The fragment that opens what the window shows: its calculated example, or
// nothing while it shows none (at start, after clearing, after a proposal).
std::string LinkOf(const MainForm& form);
// The address after a click: a button's or the range list's changes what the
// window shows, so the address follows it; the other lists change nothing
// until the next calculation, and neither does the address (nullopt).
std::optional<std::string> LinkAfterClick(const MainForm& form, ControlKind kind,
                                          std::int16_t index);
// The link of an exercise on the fraction with the count (an item text), or
// nothing where that would not open it again.
std::string PracticeLinkOf(std::string_view fraction, std::string_view count);
std::string SheetLinkOf(const SheetChoice& sheet);
// The link of a conversion as «Преобразувай» did it: the number as read, or
// only the bases when the number was refused.
std::string BasesLinkOf(std::string_view number, int from, int to);

}  // namespace kviltora
