#include "worksheet.h"

#include <gtest/gtest.h>

#include "form_lines.h"
#include "form_model.h"
#include "random.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;

// Worked out once outside the program: std::mt19937 from the seed, each draw
// as a proposal makes it, a fraction already drawn drawn again, and the binary
// result and the sum the calculation writes for it.
const char* const kSheet2026[][4] = {
    {"0.22", "0.001110000", "0.218750000", "0.0(01110000101000111101)"},
    {"0.77", "0.110001010", "0.769531250", "0.11(00010100011110101110)"},
    {"0.42", "0.011010111", "0.419921875", "0.0(11010111000010100011)"},
    {"0.97", "0.111110000", "0.968750000", "0.11(11100001010001111010)"},
    {"0.98", "0.111110101", "0.978515625", "0.1(11110101110000101000)"},
    {"0.09", "0.000101110", "0.089843750", "0.00(01011100001010001111)"},
    {"0.71", "0.101101011", "0.708984375", "0.10(11010111000010100011)"},
    {"0.48", "0.011110101", "0.478515625", "0.(01111010111000010100)"},
    {"0.02", "0.000001010", "0.019531250", "0.0(00001010001111010111)"},
    {"0.99", "0.111111010", "0.988281250", "0.11(11110101110000101000)"},
};

TEST(DrawWorksheet, DrawsTheSameTenExercisesAndKeyFromTheSameSeed) {
  const Worksheet sheet = DrawWorksheet({2026, 1, CountIndex("10")});
  EXPECT_EQ(sheet.title, "Работен лист № 2026");
  EXPECT_EQ(sheet.keyTitle, "Отговори към работен лист № 2026");
  EXPECT_EQ(sheet.ruledLines, 9);
  ASSERT_EQ(sheet.exercises.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const SheetExercise& e = sheet.exercises[i];
    const auto& [fraction, result, sum, exact] = kSheet2026[i];
    EXPECT_EQ(e.heading, std::to_string(i + 1) + ". Дроб " + fraction + ", брой цифри 10");
    EXPECT_EQ(e.fraction, fraction);
    EXPECT_EQ(e.result, result);
    EXPECT_EQ(e.sum, std::string("След обратно преобразуване числото е: ") + sum);
    EXPECT_EQ(e.exact, std::string("Точно: ") + exact);
  }
}

TEST(DrawWorksheet, TakesEveryFractionOfTheSmallestRangeOnceAndLeavesTheSequenceAlone) {
  SeedRandom(5);
  const float first = NextRandom();
  SeedRandom(5);
  const Worksheet sheet = DrawWorksheet({7, 0, CountIndex("6")});
  EXPECT_EQ(NextRandom(), first);
  std::string fractions;
  for (const SheetExercise& e : sheet.exercises) fractions += e.fraction + " ";
  EXPECT_EQ(fractions, "0.1 0.3 0.8 0.4 0.5 1 0.6 0.7 0.9 0.2 ");
  EXPECT_EQ(sheet.exercises[4].sum, "След обратно преобразуване числото е: 0.5");
  EXPECT_EQ(sheet.exercises[5].result, "0.");
  EXPECT_EQ(sheet.exercises[5].exact, "Точно: 0.");
  EXPECT_EQ(sheet.exercises[4].exact, "Точно: 0.1");
  EXPECT_TRUE(DrawWorksheet({7, -1, 0}).exercises.empty());
}

TEST(NewSheet, TakesTheWindowsChoicesOrOneHundredAndTen) {
  MainForm form;
  const SheetChoice plain = NewSheet(form);
  EXPECT_LT(plain.seed, 1000000u);
  EXPECT_EQ(plain.rangeRow, 1);
  EXPECT_EQ(plain.countRow, CountIndex("10"));
  form.Diapazon[0].Select(4);
  form.Diapazon[1].Select(CountIndex("26"));
  const SheetChoice chosen = NewSheet(form);
  EXPECT_EQ(chosen.rangeRow, 4);
  EXPECT_EQ(chosen.countRow, CountIndex("26"));
}

}  // namespace
}  // namespace kviltora
