#include "texts.h"

namespace kviltora::practice_texts {
namespace {

// 12500 as Bulgarian writes it, "12 500".
std::string Grouped(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), " ");
  }
  return digits;
}

std::string S(std::string_view text) {
  return std::string(text);
}

}  // namespace

const Captions& PageCaptions() {
  static const Captions captions{"Упражнение", "Отговор", "Провери",    "Край",    "Обобщение",
                                 "Стъпка",     "Точно",   "Компютърът", "Разлика", "≠"};
  return captions;
}

std::string Heading(std::string_view fraction) {
  return "Упражнение с дробта " + S(fraction) + ".";
}
std::string ProductQuestion(int step, std::string_view remainder) {
  return "Стъпка " + std::to_string(step) + ": колко е " + S(remainder) + " × 2?";
}
std::string DigitQuestion(int step, std::string_view product) {
  return "Стъпка " + std::to_string(step) + ": коя двоична цифра дава " + S(product) + ", 0 или 1?";
}
std::string BinaryQuestion() {
  return "Запишете двоичната дроб: „0.“ и получените цифри.";
}
std::string WorkedStep(int step, std::string_view remainder, std::string_view product, char digit) {
  return std::to_string(step) + ". " + S(remainder) + " × 2 = " + S(product) + ", цифра " + digit;
}
std::string WorkedBinary(std::string_view binary) {
  return "Двоичната дроб: " + S(binary);
}

std::string Right() {
  return "Вярно.";
}
std::string Blank() {
  return "Напишете отговор в полето „Отговор“.";
}
std::string WrongWithHint(std::string_view hint) {
  return "Не е вярно. Подсказка — " + S(hint) + ".";
}
std::string WrongWithAnswer(std::string_view answer) {
  return "Не е вярно. Верният отговор е " + S(answer) + ".";
}
std::string ProductHint(std::string_view remainder) {
  return "удвоете: " + S(remainder) + " + " + S(remainder);
}
std::string DigitHint(std::string_view product) {
  return "цифрата е цялата част на " + S(product);
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
  return "Упражнението приема дроб с най-много " + std::to_string(most) + " цифри след точката.";
}
std::string CountOutside(std::string_view fewest, std::string_view most) {
  return "Броят цифри е от " + S(fewest) + " до " + S(most) + ".";
}

std::string Finished() {
  return "Упражнението завърши.";
}
std::string Score(int right, int questions) {
  return "Верни от първия опит: " + std::to_string(right) + " от " + std::to_string(questions) +
         ".";
}
std::string DifferingLine(int step, std::string_view exact, std::string_view computer) {
  return "Стъпка " + std::to_string(step) + ": точно " + S(exact) + ", компютърът " +
         (computer.empty() ? S("няма такава стъпка") : S(computer)) + ".";
}
std::string Why(Agreement agreement, std::string_view fraction) {
  switch (agreement) {
    case Agreement::kDiffersNoExactForm:
      return "Отбелязаните редове се различават, защото " + S(fraction) +
             " няма точен двоичен запис: компютърът пази най-близкото до нея число double и "
             "грешката му расте с всяко удвояване.";
    case Agreement::kDiffersTooLong:
      return "Отбелязаните редове се различават, защото числото има повече цифри, отколкото "
             "double побира: компютърът пази най-близкото до него число double.";
    case Agreement::kAgreesNoExactForm:
      return S(fraction) +
             " няма точен двоичен запис: компютърът пази най-близкото до нея число double, но "
             "при толкова стъпки грешката още не се вижда.";
    case Agreement::kAgreesEnds:
      break;
  }
  return S(fraction) +
         " има краен двоичен запис, който компютърът пази точно, затова редовете "
         "съвпадат.";
}
std::string ExactBinary(std::string_view fraction, std::string_view notation) {
  return S(fraction) + " = " + S(notation);
}
std::string BinaryEnds() {
  return "Двоичната дроб е крайна.";
}
std::string PeriodRepeats() {
  return "Цифрите в скобите, периодът, се повтарят безкрай.";
}
std::string PeriodCut(std::uint64_t length, std::size_t shown) {
  return "Периодът има " + Grouped(length) + " цифри; в скобите са първите " +
         std::to_string(shown) + ".";
}

}  // namespace kviltora::practice_texts
