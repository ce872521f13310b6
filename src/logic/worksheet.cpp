#include "worksheet.h"

#include <set>

#include "announcements.h"
#include "exact_decimal.h"
#include "form_model.h"
#include "procedures.h"
#include "random.h"

namespace kviltora {
namespace {

// Short enough to read out or type from a printed sheet.
constexpr std::uint32_t kSeedsBelow = 1'000'000;

std::int16_t ChosenOr(const ListBox& list, const char* otherwise) {
  if (list.ListIndex() >= 0) return list.ListIndex();
  for (std::int16_t row = 0; row < list.ListCount(); ++row) {
    if (list.List(row) == otherwise) return row;
  }
  return -1;
}

// The fraction's binary form without rounding, which the trace's doubles cannot show.
std::string ExactForm(const std::string& fraction) {
  const ExactFraction exact = ReadExactFraction(fraction);
  const ExactDecimal none;
  return "Точно: " + BinaryNotation(ExactBinary(
                         exact.reading == FractionReading::kRead ? exact.fraction : none));
}

}  // namespace

SheetChoice NewSheet(const MainForm& form) {
  return {SeedFromClock(kSeedsBelow), ChosenOr(form.Diapazon[0], "100"),
          ChosenOr(form.Diapazon[1], "10")};
}

Worksheet DrawWorksheet(const SheetChoice& choice) {
  MainForm form;
  if (form.Diapazon[0].List(choice.rangeRow).empty() ||
      form.Diapazon[1].List(choice.countRow).empty()) {
    return {};  // no fraction to draw, no count to draw to
  }
  const FixedSeed seeded(choice.seed);
  form.Diapazon[0].Select(choice.rangeRow);
  form.Diapazon[1].Select(choice.countRow);
  const std::string& count = form.Diapazon[1].List(choice.countRow);
  const std::string number = std::to_string(choice.seed);
  Worksheet sheet{"Работен лист № " + number,
                  "Преобразувайте всяка десетична дроб в двоична: удвоявайте дробната част, "
                  "записвайте цялата част (0 или 1) като следваща цифра и я махайте. Спрете при "
                  "остатък 0 или при цифри с една по-малко от дадения брой. Проверете с обратно "
                  "преобразуване.",
                  {},
                  std::stoi(count) - 1,
                  "Отговори към работен лист № " + number};
  // A fraction already on the sheet is drawn again: a class wants ten exercises,
  // and the range of "10" has exactly ten fractions.
  std::set<std::string> drawn;
  for (int i = 1; i <= kSheetExercises; ++i) {
    do {
      OnDiapazonClick(form, 0);
    } while (!drawn.insert(form.Text1[1].Text).second);
    const std::string fraction = form.Text1[1].Text;
    OnCommand1Click(form, 0);
    const std::vector<std::string> outcome = AfterCommand1Click(form, 0);
    sheet.exercises.push_back({std::to_string(i) + ". Дроб " + fraction + ", брой цифри " + count,
                               fraction, outcome.front(), outcome.back(), ExactForm(fraction)});
  }
  return sheet;
}

const SheetCaptions& SheetButtonCaptions() {
  static const SheetCaptions captions{"Работен лист", "Печат", "Към прозореца"};
  return captions;
}

}  // namespace kviltora
