#include "worksheet.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "bases.h"
#include "bases_texts.h"
#include "digits.h"
#include "exact_decimal.h"
#include "form_model.h"
#include "number_text.h"
#include "procedures.h"
#include "random.h"

namespace kviltora {
namespace {

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

// A whole number below `below`, from the window's generator, as a proposal draws one.
unsigned Drawn(unsigned below) {
  // In double the product is exact: 24 bits times a few more.
  return static_cast<unsigned>(static_cast<double>(NextRandom()) * below) % below;
}

// Digits of a base, the first not 0 unless the number is 0.
std::string DrawnDigits(int base, std::size_t count) {
  std::string digits;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned digit =
        i == 0 ? 1 + Drawn(static_cast<unsigned>(base) - 1) : Drawn(static_cast<unsigned>(base));
    digits += bases::digits::Char(digit);
  }
  return digits;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    if (!out.empty()) out += out.ends_with(':') || out.ends_with('.') ? " " : "; ";
    out += line;
  }
  return out;
}

// A task of the number-systems part: the number, its base and the base asked
// for, its lines to write on and its key, all as the worked example gives them.
struct Conversion {
  std::string number;
  int from = 10;
  int to = 2;
};

std::optional<SheetExercise> ConversionTask(char kind, Drawing& drawing, int number,
                                            const std::function<Conversion()>& draw) {
  // A few tries for a number not yet on the sheet; a kind this small would
  // rather give its turn away than repeat.
  for (int tries = 0; tries < 50; ++tries) {
    const Conversion c = draw();
    const std::string task = bases::WithBase(c.number, c.from) + " → " + std::to_string(c.to);
    if (!drawing.drawn.insert(task).second) continue;
    const bases::Conversion worked = bases::Convert(c.number, c.from, c.to);
    if (!worked.refusal.empty() || !worked.result) continue;
    SheetExercise e;
    e.kind = kind;
    e.heading = std::to_string(number) + ". Преобразувайте " + bases::WithBase(c.number, c.from) +
                " в " + bases_texts::BaseAdjective(c.to) + " бройна система.";
    // A line for each value the worked example's steps give, at most as many
    // as a pupil is asked to do by hand.
    const std::size_t values = worked.steps.size() > 2 ? worked.steps.size() - 2 : 1;
    const std::size_t lines = std::min<std::size_t>(values, kMostStepsByHand);
    for (std::size_t i = 1; i <= lines; ++i) e.stepLines.push_back(std::to_string(i) + ".");
    e.wholeLines = {"Резултат:", "Проверка:", "Проверка:"};
    // The worked example's lines run on, so that ten of them share one page.
    e.key = {Joined(worked.steps), worked.resultLine, Joined(worked.check)};
    e.result = worked.resultLine;
    return e;
  }
  return std::nullopt;
}

int DrawnOf(std::initializer_list<int> bases) {
  return bases.begin()[Drawn(static_cast<unsigned>(bases.size()))];
}

// 10 → 2, 8, 16: a whole number of two or three digits.
std::optional<SheetExercise> WholeTask(Drawing& drawing, int number) {
  return ConversionTask('i', drawing, number, [] {
    const unsigned whole = 20 + Drawn(480);
    return Conversion{std::to_string(whole), 10, DrawnOf({2, 8, 16})};
  });
}

// 10 → 2, 8, 16: a fraction of sixty-fourths, so that its digits end within
// a few products in every one of the three bases.
std::optional<SheetExercise> FractionTask(Drawing& drawing, int number) {
  return ConversionTask('f', drawing, number, [] {
    const unsigned sixtyFourths = 1 + Drawn(63);
    std::string decimals = std::to_string(sixtyFourths * 15625);
    decimals.insert(0, 6 - decimals.size(), '0');
    decimals.erase(decimals.find_last_not_of('0') + 1);
    return Conversion{"0." + decimals, 10, DrawnOf({2, 8, 16})};
  });
}

// 2, 8, 16 → 10: a short number with a fractional part in two of three tasks.
std::optional<SheetExercise> PlaceValuesTask(Drawing& drawing, int number) {
  return ConversionTask('p', drawing, number, [] {
    const int from = DrawnOf({2, 8, 16});
    const std::size_t whole = from == 2 ? 4 + Drawn(3) : 2;
    std::string text = DrawnDigits(from, whole);
    if (Drawn(3) > 0) {
      std::string fraction = DrawnDigits(from, from == 2 ? 2 : 1);
      text += "." + std::string(fraction.rbegin(), fraction.rend());  // its last digit not 0
    }
    return Conversion{text, from, 10};
  });
}

// Between 2, 8 and 16, by groups of bits.
std::optional<SheetExercise> GroupingTask(Drawing& drawing, int number) {
  return ConversionTask('g', drawing, number, [] {
    const int from = DrawnOf({2, 8, 16});
    const int to = from == 2 ? DrawnOf({8, 16}) : from == 8 ? DrawnOf({2, 16}) : DrawnOf({2, 8});
    return Conversion{DrawnDigits(from, from == 2 ? 7 + Drawn(4) : 2 + Drawn(2)), from, to};
  });
}

using TaskDrawer = std::function<std::optional<SheetExercise>(Drawing&, int)>;

// The drawer of each kind, in the order of kSheetKindLetters.
const TaskDrawer kDrawers[] = {DoublingTask, WholeTask, FractionTask, PlaceValuesTask,
                               GroupingTask};

std::optional<SheetExercise> TaskOfKind(char kind, Drawing& drawing, int number) {
  return kDrawers[kSheetKindLetters.find(kind)](drawing, number);
}

constexpr const char* kDoublingTask =
    "Преобразувайте всяка десетична дроб в двоична: удвоявайте дробната част, записвайте "
    "цялата част (0 или 1) като следваща цифра и я махайте. Спрете при остатък 0 или при цифри "
    "с една по-малко от дадения брой. Проверете с обратно преобразуване.";

constexpr const char* kConversionTask =
    "В задачите с бройни системи пишете по една стъпка на ред, като в решения пример: деление, "
    "умножение, тегла на позициите или групи цифри. Проверете с обратно преобразуване.";

std::string FirstStepsOnly() {
  const std::string most = std::to_string(kMostStepsByHand);
  return " Толкова стъпки са много за ръчна работа: направете само първите " + most +
         " и проверете получените " + most + " цифри.";
}

}  // namespace

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
  if (kinds != kDoublingOnly) {
    sheet.task += sheet.task.empty() ? "" : " ";
    sheet.task += kConversionTask;
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
