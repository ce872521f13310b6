#include "worksheet.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "exact_decimal.h"
#include "form_model.h"
#include "number_text.h"
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

// 0.d1d2…dn in decimal, exactly: n binary digits never need more than n
// decimals, and the check writes all n, as the trace does.
std::string DecimalOfBinary(std::string_view digits) {
  if (digits.empty()) return "0";
  std::uint64_t rest = 0;
  for (const char digit : digits) rest = rest * 2 + (digit == '1');
  const std::uint64_t whole = std::uint64_t{1} << digits.size();
  std::string out = "0.";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    rest *= 10;
    out += static_cast<char>('0' + rest / whole);
    rest %= whole;
  }
  return out;
}

// The terms of the check a pupil adds: each digit 1 times 2 to the power
// minus its place, as short as exact allows.
std::string CheckTerms(const std::string& digits) {
  std::string terms;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (digits[i] != '1') continue;
    std::string term = DecimalOfBinary(std::string(i, '0') + '1');
    if (!terms.empty()) terms += " + ";
    terms += term;
  }
  return terms.empty() ? "0" : terms;
}

struct Drawing {
  MainForm& form;
  const std::string& count;
  std::set<std::string> drawn;  // every task's number, so that none comes twice
};

// A doubling task, worked exactly as the pupil works it: the same loop as the
// window's conversion, while the counter is below the count and something remains.
std::optional<SheetExercise> DoublingTask(Drawing& drawing, int number) {
  MainForm& form = drawing.form;
  const ListBox& ranges = form.Diapazon[0];
  const auto fractions = static_cast<std::size_t>(
      ParseLeadingNumber(ranges.List(ranges.ListIndex())) - 1);  // k / r for k below r
  std::size_t doublings = 0;
  for (const std::string& drawn : drawing.drawn) doublings += drawn.starts_with("d");
  if (doublings >= fractions) return std::nullopt;
  ExactFraction read;
  do {
    OnDiapazonClick(form, 0);
    read = ReadExactFraction(form.Text1[1].Text);
  } while (read.reading != FractionReading::kRead ||
           !drawing.drawn.insert("d" + form.Text1[1].Text).second);
  const std::string& fraction = form.Text1[1].Text;
  const int count = std::min(std::stoi(drawing.count), kMostStepsByHand + 1);
  SheetExercise task;
  task.kind = 'd';
  task.heading = std::to_string(number) + ". Дроб " + fraction + ", брой цифри " + drawing.count;
  task.fraction = fraction;
  std::string steps = "Произведения и цифри: ";
  std::string digits;
  ExactDecimal remainder = read.fraction;
  for (int h = 1; h < count && remainder.numerator != 0; ++h) {
    const ExactDecimal product = Doubled(remainder);
    const char digit = IntegerPart(product) ? '1' : '0';
    if (h > 1) steps += "; ";
    steps += DecimalText(product) + " – " + digit;
    digits += digit;
    remainder = FractionalPart(product);
  }
  for (int h = 1; h < count; ++h) task.stepLines.push_back(std::to_string(h) + ".");
  task.wholeLines = {"Двоичната дроб:", "Проверка:", "Сборът:"};
  task.result = "0." + digits;
  task.sum = "След обратно преобразуване числото е: " + DecimalOfBinary(digits);
  task.exact = "Точно: " + BinaryNotation(ExactBinary(read.fraction));
  task.key = {steps, task.result, "Проверка: " + CheckTerms(digits), task.sum, task.exact};
  return task;
}

using TaskDrawer = std::function<std::optional<SheetExercise>(Drawing&, int)>;

// The drawer of each kind, in the order of kSheetKindLetters; a kind without
// one yet draws nothing.
std::optional<SheetExercise> NoTask(Drawing&, int) {
  return std::nullopt;
}
const TaskDrawer kDrawers[] = {DoublingTask, NoTask, NoTask, NoTask, NoTask};

std::optional<SheetExercise> TaskOfKind(char kind, Drawing& drawing, int number) {
  return kDrawers[kSheetKindLetters.find(kind)](drawing, number);
}

constexpr const char* kDoublingTask =
    "Преобразувайте всяка десетична дроб в двоична: удвоявайте дробната част, записвайте "
    "цялата част (0 или 1) като следваща цифра и я махайте. Спрете при остатък 0 или при цифри "
    "с една по-малко от дадения брой. Проверете с обратно преобразуване.";

std::string FirstStepsOnly() {
  const std::string most = std::to_string(kMostStepsByHand);
  return " Толкова стъпки са много за ръчна работа: направете само първите " + most +
         " и проверете получените " + most + " цифри.";
}

}  // namespace

SheetChoice NewSheet(const MainForm& form, std::string_view kinds) {
  return {SeedFromClock(kSeedsBelow), ChosenOr(form.Diapazon[0], "100"),
          ChosenOr(form.Diapazon[1], "10"), KindsOf(kinds)};
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
  const std::string kinds = KindsOf(choice.kinds);
  Worksheet sheet;
  sheet.title = "Работен лист № " + number;
  sheet.pupil = {"Име", "Клас", "Дата"};
  sheet.ruledLines = std::min(std::stoi(count) - 1, kMostStepsByHand);
  sheet.keyTitle = "Отговори към работен лист № " + number;
  sheet.kinds = kinds;
  Drawing drawing{form, count, {}};
  // The kinds in turn; a kind that has nothing more to draw gives its turn to the next.
  for (std::size_t slot = 0; sheet.exercises.size() < kSheetExercises; ++slot) {
    const int next = static_cast<int>(sheet.exercises.size()) + 1;
    std::optional<SheetExercise> task;
    for (std::size_t tried = 0; tried < kinds.size() && !task; ++tried) {
      task = TaskOfKind(kinds[(slot + tried) % kinds.size()], drawing, next);
    }
    if (!task) break;
    sheet.exercises.push_back(std::move(*task));
  }
  if (kinds.find('d') != std::string::npos) {
    sheet.task = kDoublingTask;
    if (std::stoi(count) - 1 > kMostStepsByHand) sheet.task += FirstStepsOnly();
  }
  return sheet;
}

const SheetCaptions& SheetButtonCaptions() {
  static const SheetCaptions captions{"Работен лист",     "Печат",
                                      "Към прозореца",    "Покажи отговорите",
                                      "Скрий отговорите", "Печат без отговорите",
                                      "Задачи в листа"};
  return captions;
}

const std::vector<std::string>& SheetKindNames() {
  static const std::vector<std::string> names{
      "Десетична дроб в двоична, с удвояване",
      "Цяло число от десетична в двоична, осмична и шестнадесетична",
      "Дроб от десетична в двоична, осмична и шестнадесетична",
      "От двоична, осмична и шестнадесетична в десетична",
      "Между двоична, осмична и шестнадесетична",
  };
  return names;
}

}  // namespace kviltora
