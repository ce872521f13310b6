#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kviltora::bases_texts {

// The names of the part's controls and buttons on the page.
struct Captions {
  std::string open, heading, number, from, to, convert, solution, back;
};
const Captions& PageCaptions();

// "двоична", "осмична", "десетична", "шестнадесетична"
std::string BaseAdjective(int base);

std::string Empty();
std::string NoDigits();
std::string NotADigit(std::string_view character, int base);
std::string BlankInside(int base);
std::string CyrillicLetter(std::string_view letter, char latin);
std::string MisplacedMinus();
std::string SecondSeparator(std::string_view separator);
std::string TooManyWhole(std::size_t most);
std::string TooManyFraction(std::size_t most);
std::string UnknownBase();

std::string SameBases(std::string_view number);
std::string WholeIsZero();
std::string WholeDivisions(std::string_view whole, int base);
std::string DivisionStep(std::string_view dividend, int base, std::string_view quotient,
                         unsigned remainder, char digit);
std::string RemaindersRead(std::string_view digits);
std::string FractionProducts(std::string_view fraction, int base);
std::string ProductStep(std::string_view fraction, int base, std::string_view product, char digit);
std::string FractionEnds();
std::string PeriodRepeats(std::string_view fraction);
std::string PeriodCut(std::uint64_t length, std::size_t shown);
std::string DigitsRead(std::string_view digits);

std::string PlaceValues(int base);
std::string PlaceValue(char digit, int base, std::string_view power, std::string_view value);
std::string Sum(std::string_view terms, std::string_view total);

std::string Groups(int size, std::string_view grouped);
std::string Group(std::string_view bits, char digit);
std::string DigitsToBits(int base, int size);
std::string DigitToBits(char digit, std::string_view bits);
std::string Binary(std::string_view bits);

std::string CheckHeading(std::string_view result, int base);
std::string PeriodSeries(std::string_view period, int base, std::string_view value,
                         std::string_view before, std::string_view length,
                         std::string_view fraction, std::string_view decimal);
std::string PeriodTooLong(std::uint64_t length);
std::string CheckAgrees(std::string_view typed);
std::string CheckDiffers(std::string_view got, std::string_view typed);

}  // namespace kviltora::bases_texts
