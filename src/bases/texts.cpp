#include "bases_texts.h"
#include "text_fill.h"

namespace kviltora::bases_texts {
namespace {

std::string N(std::uint64_t n) {
  return std::to_string(n);
}

std::string_view Char(const char& c) {
  return std::string_view(&c, 1);
}

}  // namespace

const Captions& PageCaptions() {
  static const Captions captions{
      "Бройни системи", "Бройни системи", "Число",   "От основа",
      "Към основа",     "Преобразувай",   "Решение", "Към прозореца",
  };
  return captions;
}

std::string BaseAdjective(int base) {
  switch (base) {
    case 2:
      return "двоична";
    case 8:
      return "осмична";
    case 16:
      return "шестнадесетична";
    default:
      return "десетична";
  }
}

std::string Empty() {
  return "Напишете число в полето „Число“.";
}
std::string NoDigits() {
  return "Числото няма нито една цифра.";
}
std::string NotADigit(std::string_view character, int base) {
  return Fill("% не е цифра в % бройна система.", {character, BaseAdjective(base)});
}
std::string BlankInside(int base) {
  return Fill("Интервалът не е цифра в % бройна система: цифрите се пишат слято.",
              {BaseAdjective(base)});
}
std::string CyrillicLetter(std::string_view letter, char latin) {
  return Fill("% е буква на кирилица: в шестнадесетична бройна система пишете латинската %.",
              {letter, Char(latin)});
}
std::string MisplacedMinus() {
  return "Знакът минус може да стои само пред числото.";
}
std::string SecondSeparator(std::string_view separator) {
  return Fill("Вторият разделител % е излишен: числото има най-много един разделител.",
              {separator});
}
std::string TooManyWhole(std::size_t most) {
  return Fill("Цялата част може да има най-много % цифри.", {N(most)});
}
std::string TooManyFraction(std::size_t most) {
  return Fill("Дробната част може да има най-много % цифри.", {N(most)});
}
std::string UnknownBase() {
  return "Основата може да е 2, 8, 10 или 16.";
}

std::string SameBases(std::string_view number) {
  return Fill("Двете основи са еднакви: числото остава %.", {number});
}
std::string WholeIsZero() {
  return "Цялата част е 0 и в новата основа е 0.";
}
std::string WholeDivisions(std::string_view whole, int base) {
  return Fill("Цялата част % делим на % до частно 0:", {whole, N(base)});
}
std::string DivisionStep(std::string_view dividend, int base, std::string_view quotient,
                         unsigned remainder, char digit) {
  const std::string rest =
      remainder < 10 ? N(remainder) : Fill("% (%)", {N(remainder), Char(digit)});
  return Fill("% : % = %, остатък %", {dividend, N(base), quotient, rest});
}
std::string RemaindersRead(std::string_view digits) {
  return Fill("Остатъците се записват в обратен ред (от последния към първия): %.", {digits});
}
std::string FractionProducts(std::string_view fraction, int base) {
  return Fill("Дробната част % умножаваме по %, като всеки път взимаме цялата част за цифра:",
              {fraction, N(base)});
}
std::string ProductStep(std::string_view fraction, int base, std::string_view product, char digit) {
  return Fill("% × % = %, цифра %", {fraction, N(base), product, Char(digit)});
}
std::string FractionEnds() {
  return "Дробната част стана 0: дробта е крайна.";
}
std::string PeriodRepeats(std::string_view fraction) {
  return Fill("Дробната част % се повтаря: цифрите от първата ѝ поява нататък образуват периода.",
              {fraction});
}
std::string PeriodCut(std::uint64_t length, std::size_t shown) {
  return Fill("Периодът има % цифри; показани са само първите %.", {Grouped(length), N(shown)});
}
std::string DigitsRead(std::string_view digits) {
  return Fill("Цифрите се записват в реда на получаването им (от първата към последната): %.",
              {digits});
}

std::string PlaceValues(int base) {
  return Fill(
      "Развит запис: всяка цифра, която не е 0, по теглото на позицията ѝ в % бройна "
      "система:",
      {BaseAdjective(base)});
}
std::string PlaceValue(char digit, int base, std::string_view power, std::string_view value) {
  const int number = digit <= '9' ? digit - '0' : digit - 'A' + 10;
  const std::string shown = number < 10 ? N(number) : Fill("% (%)", {N(number), Char(digit)});
  return Fill("% · %% = %", {shown, N(base), power, value});
}
std::string Sum(std::string_view terms, std::string_view total) {
  if (terms == total) return Fill("Сбор: %", {total});
  return Fill("Сбор: % = %", {terms, total});
}

std::string Groups(int size, std::string_view grouped) {
  return Fill(
      "Двоичните цифри се делят на %, от разделителя наляво и надясно, с нули в краищата: %",
      {size == 3 ? "триади" : "тетради", grouped});
}
std::string Group(std::string_view bits, char digit) {
  return Fill("% → %", {bits, Char(digit)});
}
std::string DigitsToBits(int base, int size) {
  return Fill("Всяка % цифра се записва с % двоични цифри:",
              {base == 8 ? "осмична" : "шестнадесетична", N(size)});
}
std::string DigitToBits(char digit, std::string_view bits) {
  return Fill("% → %", {Char(digit), bits});
}
std::string Binary(std::string_view bits) {
  return Fill("В двоична бройна система: %", {bits});
}

std::string CheckHeading(std::string_view result, int base) {
  return Fill("Проверка: % обратно в % бройна система.", {result, BaseAdjective(base)});
}
std::string PeriodSeries(std::string_view period, int base, std::string_view value,
                         std::string_view before, std::string_view length,
                         std::string_view fraction, std::string_view decimal) {
  const std::string tail = Fill("%% − 1", {N(base), length});
  const std::string denominator =
      before.empty() ? Fill("(%)", {tail}) : Fill("(%% · (%))", {N(base), before, tail});
  return Fill("Периодът % = % се повтаря безкрай, сбор на геометрична прогресия: % / % = % = %",
              {period, value, value, denominator, fraction, decimal});
}
std::string PeriodTooLong(std::uint64_t length) {
  return Fill(
      "Период с % цифри не се проверява на ръка: в решението са показани само първите му "
      "цифри.",
      {Grouped(length)});
}
std::string CheckAgrees(std::string_view typed) {
  return Fill("Получава се %, числото, което е въведено.", {typed});
}
std::string CheckDiffers(std::string_view got, std::string_view typed) {
  return Fill("Получава се %, а е въведено %.", {got, typed});
}

}  // namespace kviltora::bases_texts
