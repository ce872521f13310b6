#include "texts.h"

#include <initializer_list>

namespace kviltora::practice_texts {
namespace {

std::string N(std::uint64_t n) {
  return std::to_string(n);
}

// 12500 as Bulgarian writes it, "12 500".
std::string Grouped(std::uint64_t n) {
  const std::string digits = N(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return out;
}

// The pattern with each "%" replaced by the next value: one place that joins
// texts, rather than a chain of concatenations in every one of them.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  auto value = values.begin();
  for (char c : pattern) {
    if (c == '%' && value != values.end()) {
      out += *value++;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

const Captions& PageCaptions() {
  static const Captions captions{"Упражнение", "Отговор", "Провери", "Край",
                                 "Обобщение",  "Стъпка",  "Точно",   "Компютърът",
                                 "Разлика",    "≠",       "✓",       "✗"};
  return captions;
}

std::string Heading(std::string_view fraction) {
  return Fill("Упражнение с дробта %.", {fraction});
}
std::string HeadingOfFractionalPart(std::string_view number, std::string_view fraction) {
  return Fill("Упражнение с дробната част на %: %", {number, fraction});
}
std::string ProductQuestion(int step, std::string_view remainder) {
  return Fill("Стъпка %: колко е % × 2?", {N(step), remainder});
}
std::string DigitQuestion(int step, std::string_view product) {
  return Fill("Стъпка %: коя цифра записваме за % — 0 или 1?", {N(step), product});
}
std::string BinaryQuestion() {
  return "Запишете двоичната дроб: „0.“ и получените цифри.";
}
std::string WorkedStep(int step, std::string_view remainder, std::string_view product, char digit) {
  return Fill("%. % × 2 = %, цифра %", {N(step), remainder, product, std::string_view(&digit, 1)});
}
std::string WorkedBinary(std::string_view binary) {
  return Fill("Двоичната дроб: %", {binary});
}

std::string Right() {
  return "Вярно.";
}
std::string Blank() {
  return "Напишете отговор в полето „Отговор“.";
}
std::string WrongWithHint(std::string_view hint) {
  return Fill("Не е вярно. Подсказка — %.", {hint});
}
std::string WrongWithAnswer(std::string_view answer) {
  return Fill("Не е вярно. Верният отговор е %.", {answer});
}
std::string ProductHint(std::string_view remainder) {
  return Fill("удвоете: % + %", {remainder, remainder});
}
std::string DigitHint(std::string_view product) {
  return Fill("цифрата е цялата част на %", {product});
}
std::string BinaryHint() {
  return "след „0.“ идват цифрите в реда на получаването им";
}

std::string NotANumber() {
  return "За упражнение напишете в полето „Дроб“ число, например 0.45.";
}
std::string NoFraction() {
  return "Дробната част на числото е 0: няма какво да се удвоява.";
}
std::string TooManyDecimals(int most) {
  return Fill("Упражнението приема дроб с най-много % цифри след точката.", {N(most)});
}
std::string CountOutside(std::string_view fewest, std::string_view most) {
  return Fill("Броят цифри е от % до %.", {fewest, most});
}

std::string Finished() {
  return "Упражнението завърши.";
}
std::string Score(int right, int questions) {
  return Fill("Верни от първия опит: % от %.", {N(right), N(questions)});
}
std::string DifferingLine(int step, std::string_view exact, std::string_view computer) {
  return Fill("Стъпка %: точно %, компютърът %.",
              {N(step), exact, computer.empty() ? "няма такава стъпка" : computer});
}
std::string Why(Agreement agreement, std::string_view fraction) {
  switch (agreement) {
    case Agreement::kDiffersNoExactForm:
      return Fill(
          "Отбелязаните редове се различават, защото % няма точен двоичен запис: компютърът "
          "пази най-близкото до нея число double и грешката му се удвоява с всяко удвояване. "
          "Той показва най-много 15 значещи цифри, затова ред се различава, щом грешката "
          "стигне до показаните цифри.",
          {fraction});
    case Agreement::kDiffersTooLong:
      return "Отбелязаните редове се различават, защото числото има повече цифри, отколкото "
             "double побира: компютърът пази най-близкото до него число double.";
    case Agreement::kAgreesNoExactForm:
      return Fill(
          "% няма точен двоичен запис: компютърът пази най-близкото до нея число double, но при "
          "толкова стъпки грешката още не стига до 15-те значещи цифри, които той показва.",
          {fraction});
    case Agreement::kAgreesEnds:
      break;
  }
  return Fill("% има краен двоичен запис, който компютърът пази точно, затова редовете съвпадат.",
              {fraction});
}
std::string ExactBinary(std::string_view fraction, std::string_view notation) {
  return Fill("% = %", {fraction, notation});
}
std::string BinaryEnds() {
  return "Двоичната дроб е крайна.";
}
std::string PeriodRepeats() {
  return "Цифрите в скобите, периодът, се повтарят безкрай.";
}
std::string PeriodCut(std::uint64_t length, std::size_t shown) {
  return Fill("Периодът има % цифри; в скобите са първите %.", {Grouped(length), N(shown)});
}

}  // namespace kviltora::practice_texts
