#include "window_look.h"

#include <algorithm>

namespace kviltora {
namespace {

constexpr FontLook kDefault{12, false};
constexpr FontLook kBold{12, true};
constexpr FontLook kListFont{11.25, false};
constexpr Colour kGrey{224, 224, 224};
constexpr Colour kOrange{255, 192, 128};

using enum ControlKind;

constexpr ControlLook kControls[] = {
    {"Text1(0)", kTextBox, 0, 240, 600, 7815, 1815, kDefault, kGrey, "Описание на алгоритъма",
     "Описание на алгоритъма", 12, Paper::kLeftOut, true},
    {"Etiket(0)", kLabel, 0, 1440, 120, 5415, 375, kBold, kOrange, nullptr, nullptr, 0,
     Paper::kWhole},
    {"Command1(1)", kButton, 1, 7200, 120, 1095, 375, kBold, Colour{255, 128, 128},
     "Инициализира - изтрива всички въведени данни", "Изчисти", 3, Paper::kLeftOut},
    {"Diapazon(0)", kList, 0, 120, 4440, 1455, 1080, kListFont, kGrey,
     "Интервал на генерираното псевдослучайно естествено число", "10-ична дроб", 11,
     Paper::kLeftOut},
    {"Etiket(1)", kLabel, 1, 1680, 2640, 1095, 375, kDefault, kOrange, nullptr, nullptr, 1,
     Paper::kWhole},
    {"Etiket(2)", kLabel, 2, 7560, 2880, 855, 375, kDefault, kOrange, nullptr, nullptr, 7,
     Paper::kWhole},
    {"Text1(1)", kTextBox, 1, 2760, 2640, 3135, 405, kDefault, std::nullopt,
     "Десетична дроб с точка за разделител, например 0.45; запетаята става точка", "Дроб", 2,
     Paper::kWhole},
    {"Text1(2)", kTextBox, 2, 1680, 3240, 5775, 2340, kDefault, std::nullopt,
     "Извежда резултата от преобразуване на числото", "Преобразуване", 9, Paper::kWhole, true},
    {"Diapazon(1)", kList, 1, 120, 3120, 1335, 825, kListFont, kGrey,
     "Брой цифри: двоичните цифри са най-много с една по-малко от избраното число", "Брой цифри", 5,
     Paper::kChosenRow},
    {"Etiket(3)", kLabel, 3, 120, 2760, 1335, 375, kDefault, kOrange, nullptr, nullptr, 4,
     Paper::kWhole},
    {"Command1(0)", kButton, 0, 6120, 2640, 1095, 375, kBold, Colour{0, 255, 0},
     "Преобразува дробта в двоична и проверява резултата", "Изчисли", 6, Paper::kLeftOut},
    {"Diapazon(2)", kList, 2, 7560, 3240, 855, 2340, kDefault, kGrey,
     "Двоичните цифри в реда на получаването им", "Изход", 8, Paper::kWhole},
    {"Etiket(4)", kLabel, 4, 120, 4080, 1455, 375, kDefault, kOrange, nullptr, nullptr, 10,
     Paper::kLeftOut},
};

constexpr WindowLook kWindow{
    8580, 5715, Colour{128, 128, 255},
    "www.kviltora.example Представяне на десетична дроб като двоично число", kDefault};

}  // namespace

const WindowLook& MainWindowLook() {
  return kWindow;
}

std::span<const ControlLook> ControlsInTabOrder() {
  return kControls;
}

const ControlLook& LookOf(ControlKind kind, std::int16_t index) {
  return *std::find_if(std::begin(kControls), std::end(kControls), [=](const ControlLook& look) {
    return look.kind == kind && look.index == index;
  });
}

}  // namespace kviltora
