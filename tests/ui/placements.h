#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>

namespace kviltora::testing_support {

// The font every control asks for: Times New Roman at a size and weight.
struct FontSpec {
  double points;
  int weight;
};

// Where each control of the window lies, in logical pixels, its colour and its font.
struct Placement {
  const char* name;
  QRect pixels;
  QColor background;
  QPalette::ColorRole role;
  FontSpec font;
};

inline const QColor kGrey(224, 224, 224);
inline const QColor kOrange(255, 192, 128);
inline constexpr FontSpec kRegular{12, 400};
inline constexpr FontSpec kBold{12, 700};
inline constexpr FontSpec kSmall{11.25, 400};

inline const Placement kPlacements[] = {
    {"Text1(0)", {16, 40, 521, 121}, kGrey, QPalette::Base, kRegular},
    {"Etiket(0)", {96, 8, 361, 25}, kOrange, QPalette::Window, kBold},
    {"Command1(1)", {480, 8, 73, 25}, {255, 128, 128}, QPalette::Button, kBold},
    {"Diapazon(0)", {8, 296, 97, 72}, kGrey, QPalette::Base, kSmall},
    {"Etiket(1)", {112, 176, 73, 25}, kOrange, QPalette::Window, kRegular},
    {"Etiket(2)", {504, 192, 57, 25}, kOrange, QPalette::Window, kRegular},
    {"Text1(1)", {184, 176, 209, 27}, {}, QPalette::Base, kRegular},
    {"Text1(2)", {112, 216, 385, 156}, {}, QPalette::Base, kRegular},
    {"Diapazon(1)", {8, 208, 89, 55}, kGrey, QPalette::Base, kSmall},
    {"Etiket(3)", {8, 184, 89, 25}, kOrange, QPalette::Window, kRegular},
    {"Command1(0)", {408, 176, 73, 25}, {0, 255, 0}, QPalette::Button, kBold},
    {"Diapazon(2)", {504, 216, 57, 156}, kGrey, QPalette::Base, kRegular},
    {"Etiket(4)", {8, 272, 97, 25}, kOrange, QPalette::Window, kRegular},
};

}  // namespace kviltora::testing_support
