#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace kviltora {

// How the one window looks, for every shell that draws it. Lengths are in
// twips: 15 make a pixel at 96 dots per inch, and every length divides evenly.
inline constexpr int kTwipsPerPixel = 15;

struct Colour {
  std::uint8_t red, green, blue;
};

// Every font is Times New Roman; a shell picks a metric-compatible serif in its place.
struct FontLook {
  double points;
  bool bold;
};

enum class ControlKind { kTextBox, kLabel, kButton, kList };

// What a printout of the worked example keeps of a control: paper holds what the
// pupil reads, not what only a pointer or a key can use.
enum class Paper { kLeftOut, kWhole, kChosenRow };

struct ControlLook {
  const char* name;  // as the form names it, "Text1(1)"
  ControlKind kind;
  std::int16_t index;  // into its control array
  int left, top, width, height;
  FontLook font;
  std::optional<Colour> back;  // none: the system's colour for its kind
  const char* tooltip;         // none for labels
  const char* accessibleName;  // what a screen reader calls it; labels are read by caption
  // Where the window does not fit, or a finger points, the controls stand one
  // above another in the order the exercise is done; this is the place, 0 on top.
  int column;
  Paper paper;
  bool locked = false;  // a box of several lines that the user reads but cannot change
};

struct WindowLook {
  int width, height;
  Colour back;
  const char* caption;
  FontLook font;  // for every control that names no font of its own
};

const WindowLook& MainWindowLook();

// The controls in the order the keyboard visits them; labels keep their place
// here but never take the focus.
std::span<const ControlLook> ControlsInTabOrder();

const ControlLook& LookOf(ControlKind kind, std::int16_t index);

// The input box holds at most this many UTF-16 units, typed or pasted.
inline constexpr int kInputMaxUnits = 9;

}  // namespace kviltora
