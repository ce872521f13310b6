#include "texts.h"

#include "text_fill.h"

namespace kviltora::practice_texts {
namespace {

std::string N(std::uint64_t n) {
  return std::to_string(n);
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

std::string LmsRefused(std::string_view call) {
  return Fill("Платформата за обучение не прие %; упражнението продължава без нея.", {call});
}
std::string LmsRefused(std::string_view call, std::string_view error) {
  return Fill("Платформата за обучение не прие % (грешка %); упражнението продължава без нея.",
              {call, error});
}
const ConversionCaptions& ConversionPageCaptions() {
  static const ConversionCaptions captions{"Упражнение с това число", "Какво", "Вярно",
                                           "Вашият отговор"};
  return captions;
}
std::string ConversionHeading(std::string_view number, std::string_view adjective) {
  return Fill("Упражнение: % в % бройна система.", {number, adjective});
}
std::string SameBases() {
  return "За упражнение изберете две различни основи.";
}
std::string QuotientQuestion(int step, std::string_view dividend, int base) {
  return Fill("Стъпка %: колко е частното % : %?", {N(step), dividend, N(base)});
}
std::string RemainderQuestion(int step, std::string_view dividend, int base) {
  return Fill("Стъпка %: колко е остатъкът от % : %?", {N(step), dividend, N(base)});
}
std::string WholeDigitsQuestion(std::string_view adjective) {
  return Fill("Запишете цялата част в % бройна система.", {adjective});
}
std::string TimesQuestion(int step, std::string_view fraction, int base) {
  return Fill("Стъпка %: колко е % × %?", {N(step), fraction, N(base)});
}
std::string ObtainedDigitQuestion(int step, std::string_view product) {
  return Fill("Стъпка %: коя цифра записваме за %?", {N(step), product});
}
std::string FractionDigitsQuestion() {
  return "Запишете дробната част: „0.“ и получените цифри.";
}
std::string PlaceValueQuestion(int step, std::string_view digit, int base, std::string_view power) {
  return Fill("Стъпка %: колко е % · %%?", {N(step), digit, N(base), power});
}
std::string SumQuestion() {
  return "Колко е сборът на теглата?";
}
std::string BitsQuestion(int step, char digit, int size) {
  return Fill("Стъпка %: кои % двоични цифри записват %?",
              {N(step), N(static_cast<std::uint64_t>(size)), std::string_view(&digit, 1)});
}
std::string GroupQuestion(int step, std::string_view bits) {
  return Fill("Стъпка %: коя цифра е групата %?", {N(step), bits});
}
std::string ResultQuestion(std::string_view adjective) {
  return Fill("Запишете числото в % бройна система, с периода в скоби, ако има такъв.",
              {adjective});
}
std::string FirstStepsOnly(int most) {
  return Fill("Стъпките са повече, отколкото се правят на ръка: направете само първите %.",
              {N(static_cast<std::uint64_t>(most))});
}
std::string QuotientHint(std::string_view dividend, int base) {
  return Fill("колко пъти % се съдържа в %", {N(base), dividend});
}
std::string RemainderHint(std::string_view dividend, int base, std::string_view quotient) {
  return Fill("остатъкът е % − % × %", {dividend, N(base), quotient});
}
std::string WholeDigitsHint() {
  return "остатъците се записват в обратен ред (от последния към първия)";
}
std::string TimesHint(std::string_view fraction, int base) {
  return Fill("умножете % по %", {fraction, N(base)});
}
std::string ObtainedDigitHint(std::string_view product) {
  return Fill("цифрата е цялата част на %, записана в новата основа", {product});
}
std::string FractionDigitsHint() {
  return "цифрите се записват в реда на получаването им";
}
std::string PlaceValueHint() {
  return "умножете стойността на цифрата по теглото на позицията ѝ";
}
std::string SumHint() {
  return "съберете теглата на всички цифри";
}
std::string BitsHint(char digit, int size) {
  return Fill("запишете стойността на % в двоична бройна система с % цифри, с нули отпред",
              {std::string_view(&digit, 1), N(static_cast<std::uint64_t>(size))});
}
std::string GroupHint(std::string_view bits) {
  return Fill("стойността на % е цифрата", {bits});
}
std::string ResultHint() {
  return "цялата част, точката и дробната част, периодът в скоби";
}
std::string PeriodOtherwise() {
  return "Цифрите са верни, но периодът е записан иначе. Подсказка — запишете периода "
         "веднъж и от първата цифра, от която започва да се повтаря.";
}

}  // namespace kviltora::practice_texts
