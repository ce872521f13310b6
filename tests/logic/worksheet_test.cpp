#include "worksheet.h"

#include <gtest/gtest.h>

#include <set>

#include "form_lines.h"
#include "form_model.h"
#include "random.h"

namespace kviltora {
namespace {

using testing_support::CountIndex;

// Worked out once outside the program: std::mt19937 from the seed, each draw
// as a proposal makes it, a fraction already drawn drawn again; then with
// Python's fractions the exact doublings, the binary result, the exact sum
// with a decimal for each digit, the terms of the check and the period.
struct SheetRow {
  const char* fraction;
  const char* result;
  const char* sum;
  const char* exact;
  const char* steps;
  const char* terms;
};
const SheetRow kSheet2026[] = {
    {"0.22", "0.001110000", "0.218750000", "0.0(01110000101000111101)",
     "0.44 – 0; 0.88 – 0; 1.76 – 1; 1.52 – 1; 1.04 – 1; 0.08 – 0; 0.16 – 0; 0.32 – 0; 0.64 – 0",
     "0.125 + 0.0625 + 0.03125"},
    {"0.77", "0.110001010", "0.769531250", "0.11(00010100011110101110)",
     "1.54 – 1; 1.08 – 1; 0.16 – 0; 0.32 – 0; 0.64 – 0; 1.28 – 1; 0.56 – 0; 1.12 – 1; 0.24 – 0",
     "0.5 + 0.25 + 0.015625 + 0.00390625"},
    {"0.42", "0.011010111", "0.419921875", "0.0(11010111000010100011)",
     "0.84 – 0; 1.68 – 1; 1.36 – 1; 0.72 – 0; 1.44 – 1; 0.88 – 0; 1.76 – 1; 1.52 – 1; 1.04 – 1",
     "0.25 + 0.125 + 0.03125 + 0.0078125 + 0.00390625 + 0.001953125"},
    {"0.97", "0.111110000", "0.968750000", "0.11(11100001010001111010)",
     "1.94 – 1; 1.88 – 1; 1.76 – 1; 1.52 – 1; 1.04 – 1; 0.08 – 0; 0.16 – 0; 0.32 – 0; 0.64 – 0",
     "0.5 + 0.25 + 0.125 + 0.0625 + 0.03125"},
    {"0.98", "0.111110101", "0.978515625", "0.1(11110101110000101000)",
     "1.96 – 1; 1.92 – 1; 1.84 – 1; 1.68 – 1; 1.36 – 1; 0.72 – 0; 1.44 – 1; 0.88 – 0; 1.76 – 1",
     "0.5 + 0.25 + 0.125 + 0.0625 + 0.03125 + 0.0078125 + 0.001953125"},
    {"0.09", "0.000101110", "0.089843750", "0.00(01011100001010001111)",
     "0.18 – 0; 0.36 – 0; 0.72 – 0; 1.44 – 1; 0.88 – 0; 1.76 – 1; 1.52 – 1; 1.04 – 1; 0.08 – 0",
     "0.0625 + 0.015625 + 0.0078125 + 0.00390625"},
    {"0.71", "0.101101011", "0.708984375", "0.10(11010111000010100011)",
     "1.42 – 1; 0.84 – 0; 1.68 – 1; 1.36 – 1; 0.72 – 0; 1.44 – 1; 0.88 – 0; 1.76 – 1; 1.52 – 1",
     "0.5 + 0.125 + 0.0625 + 0.015625 + 0.00390625 + 0.001953125"},
    {"0.48", "0.011110101", "0.478515625", "0.(01111010111000010100)",
     "0.96 – 0; 1.92 – 1; 1.84 – 1; 1.68 – 1; 1.36 – 1; 0.72 – 0; 1.44 – 1; 0.88 – 0; 1.76 – 1",
     "0.25 + 0.125 + 0.0625 + 0.03125 + 0.0078125 + 0.001953125"},
    {"0.02", "0.000001010", "0.019531250", "0.0(00001010001111010111)",
     "0.04 – 0; 0.08 – 0; 0.16 – 0; 0.32 – 0; 0.64 – 0; 1.28 – 1; 0.56 – 0; 1.12 – 1; 0.24 – 0",
     "0.015625 + 0.00390625"},
    {"0.99", "0.111111010", "0.988281250", "0.11(11110101110000101000)",
     "1.98 – 1; 1.96 – 1; 1.92 – 1; 1.84 – 1; 1.68 – 1; 1.36 – 1; 0.72 – 0; 1.44 – 1; 0.88 – 0",
     "0.5 + 0.25 + 0.125 + 0.0625 + 0.03125 + 0.015625 + 0.00390625"},
};

TEST(DrawWorksheet, DrawsTheSameTenExercisesAndKeyFromTheSameSeed) {
  const Worksheet sheet = DrawWorksheet({2026, 1, CountIndex("10")});
  EXPECT_EQ(sheet.title, "Работен лист № 2026");
  EXPECT_EQ(sheet.keyTitle, "Отговори към работен лист № 2026");
  EXPECT_EQ(sheet.pupil, (std::vector<std::string>{"Име", "Клас", "Дата"}));
  EXPECT_EQ(sheet.ruledLines, 9);
  ASSERT_EQ(sheet.exercises.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const SheetExercise& e = sheet.exercises[i];
    const SheetRow& row = kSheet2026[i];
    SCOPED_TRACE(row.fraction);
    EXPECT_EQ(e.heading, std::to_string(i + 1) + ". Дроб " + row.fraction + ", брой цифри 10");
    EXPECT_EQ(e.fraction, row.fraction);
    const std::string sum = std::string("След обратно преобразуване числото е: ") + row.sum;
    const std::string exact = std::string("Точно: ") + row.exact;
    EXPECT_EQ(e.result, row.result);
    EXPECT_EQ(e.sum, sum);
    EXPECT_EQ(e.exact, exact);
    EXPECT_EQ(e.key, (std::vector<std::string>{std::string("Произведения и цифри: ") + row.steps,
                                               row.result, std::string("Проверка: ") + row.terms,
                                               sum, exact}));
    EXPECT_EQ(e.stepLines.size(), 9u);
    EXPECT_EQ(e.stepLines.back(), "9.");
    EXPECT_EQ(e.wholeLines, (std::vector<std::string>{"Двоичната дроб:", "Проверка:", "Сборът:"}));
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
  // The draws of old, less the 1 that has no fraction: nine, each once.
  EXPECT_EQ(fractions, "0.1 0.3 0.8 0.4 0.5 0.6 0.7 0.9 0.2 ");
  EXPECT_EQ(sheet.exercises[4].sum, "След обратно преобразуване числото е: 0.5");
  EXPECT_EQ(sheet.exercises[4].key[2], "Проверка: 0.5");
  EXPECT_EQ(sheet.exercises[4].exact, "Точно: 0.1");
  EXPECT_TRUE(DrawWorksheet({7, -1, 0}).exercises.empty());
}

// Seed 2026 with every kind, the kinds in turn: each task and the result line
// of its key, drawn by a Python copy of std::mt19937 and converted with
// Python's int(text, base) and fractions.
TEST(DrawWorksheet, TakesEveryKindInTurnWithItsWorkedKey) {
  const std::pair<const char*, const char*> kTasks[] = {
      {"1. Дроб 0.22, брой цифри 10", "0.001110000"},
      {"2. Преобразувайте 387₁₀ в осмична бройна система.", "387₁₀ = 603₈"},
      {"3. Преобразувайте 0.953125₁₀ в шестнадесетична бройна система.", "0.953125₁₀ = 0.F4₁₆"},
      {"4. Преобразувайте 2B.1₁₆ в десетична бройна система.", "2B.1₁₆ = 43.0625₁₀"},
      {"5. Преобразувайте CE₁₆ в осмична бройна система.", "CE₁₆ = 316₈"},
      {"6. Дроб 0.3, брой цифри 10", "0.010011001"},
      {"7. Преобразувайте 287₁₀ в двоична бройна система.", "287₁₀ = 100011111₂"},
      {"8. Преобразувайте 0.78125₁₀ в шестнадесетична бройна система.", "0.78125₁₀ = 0.C8₁₆"},
      {"9. Преобразувайте 11011.11₂ в десетична бройна система.", "11011.11₂ = 27.75₁₀"},
      {"10. Преобразувайте 222₈ в шестнадесетична бройна система.", "222₈ = 92₁₆"},
  };
  const Worksheet sheet = DrawWorksheet({2026, 1, CountIndex("10"), "gpfid"});
  EXPECT_EQ(sheet.kinds, "difpg");
  ASSERT_EQ(sheet.exercises.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i) {
    const SheetExercise& e = sheet.exercises[i];
    EXPECT_EQ(e.kind, "difpg"[i % 5]);
    EXPECT_EQ(e.heading, kTasks[i].first);
    ASSERT_GE(e.key.size(), 3u);
    EXPECT_EQ(e.key[1], kTasks[i].second);
  }
  // The worked lines of division, then the check by place values.
  EXPECT_EQ(sheet.exercises[1].key[0],
            "Цялата част 387 делим на 8 до частно 0: 387 : 8 = 48, остатък 3; 48 : 8 = 6, "
            "остатък 0; 6 : 8 = 0, остатък 6; Остатъците се записват в обратен ред (от последния "
            "към първия): 603.");
  EXPECT_EQ(sheet.exercises[1].stepLines.size(), 3u);
  EXPECT_EQ(sheet.exercises[5].key[3], "След обратно преобразуване числото е: 0.298828125");
}

// Over many seeds and every range, no doubling lacks a fraction and no task repeats.
TEST(DrawWorksheet, NeverAsksForTheFractionOfAWholeNumberNorRepeatsATask) {
  for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
    for (std::int16_t range = 0; range < 3; ++range) {
      const Worksheet sheet = DrawWorksheet({seed, range, CountIndex("10")});
      std::set<std::string> headings;
      for (const SheetExercise& e : sheet.exercises) {
        ASSERT_NE(e.fraction.find('.'), std::string::npos) << seed << " " << e.heading;
        ASSERT_TRUE(headings.insert(e.heading.substr(e.heading.find(' '))).second)
            << seed << " " << e.heading;
      }
      ASSERT_EQ(sheet.exercises.size(), range == 0 ? 9u : 10u) << seed;
    }
    // A fraction asked for has one, in every kind.
    const Worksheet mixed = DrawWorksheet({seed, 1, CountIndex("10"), "difpg"});
    ASSERT_EQ(mixed.exercises.size(), 10u) << seed;
    std::set<std::string> headings;
    for (const SheetExercise& e : mixed.exercises) {
      const bool fractionAsked = e.kind == 'd' || e.kind == 'f';
      if (fractionAsked) {
        ASSERT_NE(e.heading.find("0."), std::string::npos) << e.heading;
      }
      ASSERT_TRUE(headings.insert(e.heading.substr(e.heading.find(' '))).second) << e.heading;
    }
  }
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
