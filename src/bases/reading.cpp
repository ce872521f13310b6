#include <algorithm>
#include <array>

#include "bases.h"
#include "bases_texts.h"
#include "digits.h"

namespace kviltora::bases {
namespace {

namespace texts = bases_texts;

// The character at the start of the text, whole even when UTF-8 spends
// several bytes on it, so that a refusal never cuts a letter in two.
std::string_view FirstCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  const std::size_t whole = std::min(length, text.size());
  const bool continues = std::all_of(text.begin() + 1, text.begin() + whole, [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
  });
  return whole == length && continues ? text.substr(0, whole) : text.substr(0, 1);
}

// Cyrillic letters a pupil may type for the Latin digits they look like.
struct LookAlike {
  std::string_view cyrillic;
  char latin;
};
constexpr std::array<LookAlike, 8> kLookAlikes{{{"А", 'A'},
                                                {"В", 'B'},
                                                {"С", 'C'},
                                                {"Е", 'E'},
                                                {"а", 'A'},
                                                {"в", 'B'},
                                                {"с", 'C'},
                                                {"е", 'E'}}};

std::string WrongCharacter(std::string_view at, int base) {
  const std::string_view character = FirstCharacter(at);
  if (character == " " || character == "\t") return texts::BlankInside(base);
  if (character == "-") return texts::MisplacedMinus();
  if (base == 16) {
    for (const LookAlike& look : kLookAlikes) {
      if (character == look.cyrillic) return texts::CyrillicLetter(character, look.latin);
    }
  }
  // A byte that begins no character is still named, as the one byte it is.
  return texts::NotADigit(character, base);
}

std::string_view WithoutBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

Reading Refused(std::string line) {
  return {std::nullopt, std::move(line)};
}

}  // namespace

bool IsBase(int base) {
  return std::find(std::begin(kBases), std::end(kBases), base) != std::end(kBases);
}

Reading ReadNumber(std::string_view text, int base) {
  if (!IsBase(base)) return Refused(texts::UnknownBase());
  text = WithoutBlanks(text);
  if (text.empty()) return Refused(texts::Empty());
  Number number{base, false, "", ""};
  if (text.front() == '-') {
    number.negative = true;
    text.remove_prefix(1);
  }
  bool separated = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' || c == ',') {
      if (separated) return Refused(texts::SecondSeparator(text.substr(i, 1)));
      separated = true;
      continue;
    }
    const int value = digits::Value(c);
    if (value < 0 || value >= base) return Refused(WrongCharacter(text.substr(i), base));
    std::string& part = separated ? number.fraction : number.whole;
    part += digits::Char(static_cast<unsigned>(value));
    if (!separated && part.size() > kMostWholeDigits) {
      return Refused(texts::TooManyWhole(kMostWholeDigits));
    }
    if (separated && part.size() > kMostFractionDigits) {
      return Refused(texts::TooManyFraction(kMostFractionDigits));
    }
  }
  if (number.whole.empty() && number.fraction.empty()) return Refused(texts::NoDigits());
  const std::size_t firstSignificant = number.whole.find_first_not_of('0');
  number.whole = firstSignificant == std::string::npos ? std::string(1, '0')
                                                       : number.whole.substr(firstSignificant);
  number.fraction.erase(number.fraction.find_last_not_of('0') + 1);
  if (number.whole == "0" && number.fraction.empty()) number.negative = false;
  return {number, ""};
}

}  // namespace kviltora::bases
