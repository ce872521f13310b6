#include <gtest/gtest.h>

#include "bases.h"

namespace kviltora::bases {
namespace {

// The result lines computed outside the program, with Python's fractions.
struct Case {
  const char* text;
  int from, to;
  const char* resultLine;
};
constexpr Case kConversions[] = {
    {"37.625", 10, 2, "37.625₁₀ = 100101.101₂"},
    {"255", 10, 16, "255₁₀ = FF₁₆"},
    {"0.45", 10, 2, "0.45₁₀ = 0.01(1100)₂"},
    {"0.1", 10, 2, "0.1₁₀ = 0.0(0011)₂"},
    {"0.2", 10, 8, "0.2₁₀ = 0.(1463)₈"},
    {"0.7", 10, 16, "0.7₁₀ = 0.B(3)₁₆"},
    {"0.1", 10, 16, "0.1₁₀ = 0.1(9)₁₆"},
    {"7.7", 10, 8, "7.7₁₀ = 7.5(4631)₈"},
    {"101.011", 2, 10, "101.011₂ = 5.375₁₀"},
    {"FF.8", 16, 10, "FF.8₁₆ = 255.5₁₀"},
    {"777.7", 8, 10, "777.7₈ = 511.875₁₀"},
    {"0.0001", 2, 10, "0.0001₂ = 0.0625₁₀"},
    {"1011101.1", 2, 8, "1011101.1₂ = 135.4₈"},
    {"1011101.1", 2, 16, "1011101.1₂ = 5D.8₁₆"},
    {"7.4", 8, 16, "7.4₈ = 7.8₁₆"},
    {"A.C", 16, 8, "A.C₁₆ = 12.6₈"},
    {"ff.c", 16, 2, "FF.C₁₆ = 11111111.11₂"},
    {"-12.5", 10, 2, "-12.5₁₀ = -1100.1₂"},
    {"  -0.75 ", 10, 16, "-0.75₁₀ = -0.C₁₆"},
    {"0,5", 10, 2, "0.5₁₀ = 0.1₂"},
    {"0", 10, 2, "0₁₀ = 0₂"},
    {"-0.0", 10, 2, "0₁₀ = 0₂"},
    {"1", 10, 2, "1₁₀ = 1₂"},
    {"0.9999999999", 10, 2,
     "0.9999999999₁₀ = "
     "0.1111111111(111111111111111111111110010010000011001000000010011000101000…)₂"},
    {"FFFFFFFFFFFF.FFFFFFFFFF", 16, 10,
     "FFFFFFFFFFFF.FFFFFFFFFF₁₆ = 281474976710655.9999999999990905052982270717620849609375₁₀"},
};

TEST(BasesConversion, WritesTheResultLineAndItsCheckGivesTheNumberTyped) {
  for (const Case& c : kConversions) {
    SCOPED_TRACE(c.text);
    const Conversion conversion = Convert(c.text, c.from, c.to);
    EXPECT_EQ(conversion.refusal, "");
    EXPECT_EQ(conversion.resultLine, c.resultLine);
    // Only a period cut at 60 digits cannot be checked by hand.
    const bool cut = conversion.result && conversion.result->periodLength > kPeriodDigitsShown;
    EXPECT_EQ(conversion.checkAgrees, !cut);
    EXPECT_FALSE(conversion.check.empty());
  }
}

TEST(BasesConversion, EqualBasesSaySoAndShowNoExample) {
  const Conversion conversion = Convert("1,50", 8, 8);
  EXPECT_EQ(conversion.steps,
            std::vector<std::string>{"Двете основи са еднакви: числото остава 1.5₈."});
  EXPECT_EQ(conversion.resultLine, "");
  EXPECT_TRUE(conversion.check.empty());
}

struct Refusal {
  const char* text;
  int from;
  const char* line;
};
constexpr Refusal kRefusals[] = {
    {"12.3.4", 10, "Вторият разделител . е излишен: числото има най-много един разделител."},
    {"1,2.3", 10, "Вторият разделител . е излишен: числото има най-много един разделител."},
    {"9", 8, "9 не е цифра в осмична бройна система."},
    {"102", 2, "2 не е цифра в двоична бройна система."},
    {"G", 16, "G не е цифра в шестнадесетична бройна система."},
    {"1234567890123", 10, "Цялата част може да има най-много 12 цифри."},
    {"0.12345678901", 10, "Дробната част може да има най-много 10 цифри."},
    {"", 10, "Напишете число в полето „Число“."},
    {"   ", 10, "Напишете число в полето „Число“."},
    {"-", 10, "Числото няма нито една цифра."},
    {".", 10, "Числото няма нито една цифра."},
    {"1-2", 10, "Знакът минус може да стои само пред числото."},
    {"--1", 10, "Знакът минус може да стои само пред числото."},
    {"1 2", 10, "Интервалът не е цифра в десетична бройна система: цифрите се пишат слято."},
    {"1e5", 10, "e не е цифра в десетична бройна система."},
    {"+1", 10, "+ не е цифра в десетична бройна система."},
    {"ж", 10, "ж не е цифра в десетична бройна система."},
    // Cyrillic letters that look like hexadecimal digits are refused, not guessed.
    {"1А", 16, "А е буква на кирилица: в шестнадесетична бройна система пишете латинската A."},
    {"с", 16, "с е буква на кирилица: в шестнадесетична бройна система пишете латинската C."},
    {"В", 10, "В не е цифра в десетична бройна система."},
    {"1", 3, "Основата може да е 2, 8, 10 или 16."},
};

TEST(BasesConversion, RefusesWithOneLineAndComputesNothing) {
  for (const Refusal& r : kRefusals) {
    SCOPED_TRACE(r.text);
    const Conversion conversion = Convert(r.text, r.from, 2);
    EXPECT_EQ(conversion.refusal, r.line);
    EXPECT_TRUE(conversion.steps.empty());
    EXPECT_EQ(conversion.resultLine, "");
    EXPECT_TRUE(conversion.check.empty());
    EXPECT_FALSE(conversion.result.has_value());
  }
  EXPECT_EQ(Convert("1", 10, 5).refusal, "Основата може да е 2, 8, 10 или 16.");
}

TEST(BasesConversion, TheLimitsThemselvesAreRead) {
  EXPECT_EQ(Convert("-123456789012.1234567890", 10, 10).refusal, "");
}

struct Worked {
  const char* text;
  std::vector<std::string> steps, check;
};
const Worked kWorked[] = {
    {"37.625",
     {"Цялата част 37 делим на 2 до частно 0:", "37 : 2 = 18, остатък 1", "18 : 2 = 9, остатък 0",
      "9 : 2 = 4, остатък 1", "4 : 2 = 2, остатък 0", "2 : 2 = 1, остатък 0",
      "1 : 2 = 0, остатък 1",
      "Остатъците се записват в обратен ред (от последния към първия): 100101.",
      "Дробната част 0.625 умножаваме по 2, като всеки път взимаме цялата част за цифра:",
      "0.625 × 2 = 1.25, цифра 1", "0.25 × 2 = 0.5, цифра 0", "0.5 × 2 = 1, цифра 1",
      "Дробната част стана 0: дробта е крайна.",
      "Цифрите се записват в реда на получаването им (от първата към последната): 0.101."},
     {"Проверка: 100101.101₂ обратно в десетична бройна система.",
      "Развит запис: всяка цифра, която не е 0, по теглото на позицията ѝ в двоична бройна "
      "система:",
      "1 · 2⁵ = 32", "1 · 2² = 4", "1 · 2⁰ = 1", "1 · 2⁻¹ = 0.5", "1 · 2⁻³ = 0.125",
      "Сбор: 32 + 4 + 1 + 0.5 + 0.125 = 37.625",
      "Получава се 37.625₁₀, числото, което е въведено."}},
    {"0.45",
     {"Цялата част е 0 и в новата основа е 0.",
      "Дробната част 0.45 умножаваме по 2, като всеки път взимаме цялата част за цифра:",
      "0.45 × 2 = 0.9, цифра 0", "0.9 × 2 = 1.8, цифра 1", "0.8 × 2 = 1.6, цифра 1",
      "0.6 × 2 = 1.2, цифра 1", "0.2 × 2 = 0.4, цифра 0", "0.4 × 2 = 0.8, цифра 0",
      "Дробната част 0.8 се повтаря: цифрите от първата ѝ поява нататък образуват периода.",
      "Цифрите се записват в реда на получаването им (от първата към последната): 0.01(1100)."},
     {"Проверка: 0.01(1100)₂ обратно в десетична бройна система.",
      "Развит запис: всяка цифра, която не е 0, по теглото на позицията ѝ в двоична бройна "
      "система:",
      "1 · 2⁻² = 0.25",
      "Периодът 1100₂ = 12 се повтаря безкрай, сбор на геометрична прогресия: "
      "12 / (2² · (2⁴ − 1)) = 12/60 = 0.2",
      "Сбор: 0.25 + 0.2 = 0.45", "Получава се 0.45₁₀, числото, което е въведено."}},
};

TEST(BasesConversion, WorkedStepsFromDecimalToBinary) {
  for (const Worked& w : kWorked) {
    SCOPED_TRACE(w.text);
    const Conversion conversion = Convert(w.text, 10, 2);
    EXPECT_EQ(conversion.steps, w.steps);
    EXPECT_EQ(conversion.check, w.check);
  }
}

TEST(BasesConversion, ALongPeriodStopsAfterSixtyOfItsDigits) {
  const Conversion conversion = Convert("0.9999999999", 10, 2);
  // The heading, 10 digits before the period, 60 of it, and two lines after.
  ASSERT_EQ(conversion.steps.size(), 2u + 10u + 60u + 2u);
  EXPECT_EQ(conversion.steps[conversion.steps.size() - 2],
            "Периодът има 7 812 500 цифри; показани са само първите 60.");
  EXPECT_EQ(conversion.result->periodLength, 7'812'500u);
}

}  // namespace
}  // namespace kviltora::bases
