#include "exercise.h"

#include <gtest/gtest.h>

#include <sstream>

#include "form_model.h"

namespace kviltora {
namespace {

std::vector<std::string> Words(const char* text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Products, digits, notation and the departing lines from Python: exact
// doubling on fractions.Fraction, the computer's trace on floats written with
// "%.15g", the period by doubling until a remainder repeats.
struct ExerciseCase {
  const char* fraction;
  const char* count;
  const char* products;
  const char* digits;
  const char* exactBinary;
  std::vector<int> marked;
};

const ExerciseCase kExercises[] = {
    {"0.45", "10", "0.9 1.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4", "011100110", "0.45 = 0.01(1100)", {6, 9}},
    {"0.1",
     "26",
     "0.2 0.4 0.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4 0.8 1.6 1.2 0.4 0.8 "
     "1.6 1.2",
     "0001100110011001100110011",
     "0.1 = 0.0(0011)",
     {7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
    {"0.375", "10", "0.75 1.5 1", "011", "0.375 = 0.011", {}},
    {"1.2E-05",
     "26",
     "0.000024 0.000048 0.000096 0.000192 0.000384 0.000768 0.001536 0.003072 0.006144 0.012288 "
     "0.024576 0.049152 0.098304 0.196608 0.393216 0.786432 1.572864 1.145728 0.291456 0.582912 "
     "1.165824 0.331648 0.663296 1.326592 0.653184",
     "0000000000000000110010010",
     "0.000012 = 0.0000(000000000000110010010101001110011011100010001000011100100010…)",
     {22, 23, 24, 25}},
    {"0.5", "5", "1", "1", "0.5 = 0.1", {}},
    {"3.75", "10", "1.5 1", "11", "0.75 = 0.11", {}},
    {"-0.25", "10", "0.5 1", "01", "0.25 = 0.01", {}},
};

TEST(Exercise, ChecksEveryDoublingAndSumsUpAgainstTheComputersTrace) {
  for (const ExerciseCase& c : kExercises) {
    SCOPED_TRACE(c.fraction);
    Exercise exercise;
    exercise.Start(c.fraction, c.count);
    ASSERT_TRUE(exercise.Running());
    const std::vector<std::string> products = Words(c.products);
    const std::string digits = c.digits;
    ASSERT_EQ(products.size(), digits.size());
    for (std::size_t i = 0; i < products.size(); ++i) {
      EXPECT_EQ(exercise.Check(products[i]).substr(0, 11), "Вярно.");
      EXPECT_EQ(exercise.Check(std::string(1, digits[i])).substr(0, 11), "Вярно.");
    }
    EXPECT_FALSE(exercise.Finished());
    exercise.Check("0." + digits);
    ASSERT_TRUE(exercise.Finished());
    const Summary summary = exercise.Summarised();
    const std::size_t questions = 2 * products.size() + 1;
    EXPECT_EQ(summary.score, "Верни от първия опит: " + std::to_string(questions) + " от " +
                                 std::to_string(questions) + ".");
    EXPECT_EQ(summary.exactBinary, c.exactBinary);
    std::vector<int> marked;
    ASSERT_EQ(summary.lines.size(), products.size());
    for (const ComparedLine& line : summary.lines) {
      EXPECT_EQ(line.exact, products[line.step - 1]);
      if (line.differs) marked.push_back(line.step);
    }
    EXPECT_EQ(marked, c.marked);
  }
}

TEST(Exercise, RefusesWhatCannotBePractised) {
  const std::string kHuge = "1" + std::string(400, '0') + ".5";
  const std::tuple<std::string, std::optional<std::string_view>, const char*> cases[] = {
      {"0.45", std::nullopt, "Изберете брой цифри от списъка „Брой цифри“."},
      {"abc", "10", "За упражнение напишете в полето „Дроб“ число, например 0.45."},
      {"1", "10", "Дробната част на числото е 0: няма какво да се удвоява."},
      {"1E-11", "10", "Упражнението приема дроб с най-много 10 цифри след точката."},
      {"0.45", "4", "Броят цифри е от 5 до 26."},
      {"0.45", "27", "Броят цифри е от 5 до 26."},
      {"1E400.5", "10", "Числото е твърде голямо."},
      {"1E999", "10", "Числото е твърде голямо."},
      {kHuge, "10", "Числото е твърде голямо."},
  };
  for (const auto& [fraction, count, refusal] : cases) {
    Exercise exercise;
    EXPECT_EQ(exercise.Start(fraction, count), refusal) << fraction;
    EXPECT_EQ(exercise.Refusal(), refusal);
    EXPECT_FALSE(exercise.Running());
  }
}

// Each answer to the first question of 0.45, "колко е 0.45 × 2?", and what it hears.
TEST(Exercise, CountsTheSameNumberHoweverAPupilWritesIt) {
  constexpr const char* kRight = "Вярно. Стъпка 1: коя цифра записваме за 0.9 — 0 или 1?";
  constexpr const char* kWrong = "Не е вярно. Подсказка — удвоете: 0.45 + 0.45.";
  const std::pair<const char*, const char*> cases[] = {
      {"0.9", kRight},   {"0,9", kRight},   {".9", kRight},
      {"0.90", kRight},  {" 0.9 ", kRight}, {",9000", kRight},
      {"0.09", kWrong},  {"0.9x", kWrong},  {"9/10", kWrong},
      {"-0.9", kWrong},  {"9E-1", kWrong},  {"0.900000000000001", kWrong},
      {"девет", kWrong}, {"0 .9", kWrong},  {"  ", "Напишете отговор в полето „Отговор“."},
  };
  for (const auto& [answer, heard] : cases) {
    Exercise exercise;
    exercise.Start("0.45", "10");
    EXPECT_EQ(exercise.Check(answer), heard) << '"' << answer << '"';
  }
}

TEST(Exercise, ShowsTheAnswerAfterTwoWrongTriesAndCountsOnlyFirstTries) {
  Exercise exercise;
  EXPECT_EQ(exercise.Start("0.5", "5"), "Упражнение с дробта 0.5. Стъпка 1: колко е 0.5 × 2?");
  EXPECT_EQ(exercise.Check("2"), "Не е вярно. Подсказка — удвоете: 0.5 + 0.5.");
  EXPECT_EQ(exercise.Check("1,5"),
            "Не е вярно. Верният отговор е 1. Стъпка 1: коя цифра записваме за 1 — 0 или 1?");
  EXPECT_EQ(exercise.Check("0"), "Не е вярно. Подсказка — цифрата е цялата част на 1.");
  EXPECT_EQ(exercise.Check("1"), "Вярно. Запишете двоичната дроб: „0.“ и получените цифри.");
  EXPECT_EQ(exercise.Check("0.01"),
            "Не е вярно. Подсказка — след „0.“ идват цифрите в реда на получаването им.");
  EXPECT_EQ(exercise.Worked(), std::vector<std::string>{"1. 0.5 × 2 = 1, цифра 1"});
  EXPECT_EQ(exercise.Check(".1"),
            "Вярно. Упражнението завърши. Верни от първия опит: 0 от 3. 0.5 има краен двоичен "
            "запис, който компютърът пази точно, затова редовете съвпадат. 0.5 = 0.1. Двоичната "
            "дроб е крайна.");
  EXPECT_EQ(exercise.Check("0.1"), "");
  exercise.End();
  EXPECT_FALSE(exercise.Running());
}

TEST(Exercise, SaysWhereAndWhyTheComputerDeparts) {
  Exercise exercise;
  exercise.Start("0.45", "10");
  for (const char* answer : {"0.9", "0", "1.8", "1", "1.6", "1", "1.2", "1", "0.4", "0", "0.8", "0",
                             "1.6", "1", "1.2", "1", "0.4", "0", "0.011100110"}) {
    exercise.Check(answer);
  }
  const Summary summary = exercise.Summarised();
  EXPECT_EQ(summary.lines[5].computer, "0.800000000000001");
  EXPECT_EQ(summary.lines[8].computer, "0.400000000000006");
  EXPECT_EQ(summary.said,
            "Верни от първия опит: 19 от 19. Стъпка 6: точно 0.8, компютърът 0.800000000000001. "
            "Стъпка 9: точно 0.4, компютърът 0.400000000000006. Отбелязаните редове се "
            "различават, защото 0.45 няма точен двоичен запис: компютърът пази най-близкото до "
            "нея число double и грешката му се удвоява с всяко удвояване. Той показва най-много "
            "15 значещи цифри, затова ред се различава, щом грешката стигне до показаните "
            "цифри. 0.45 = 0.01(1100). Цифрите в скобите, периодът, се повтарят безкрай.");
  Exercise long_period;
  long_period.Start("0.002992", "5");
  for (const char* answer :
       {"0.005984", "0", "0.011968", "0", "0.023936", "0", "0.047872", "0", "0.0000"}) {
    long_period.Check(answer);
  }
  EXPECT_EQ(long_period.Summarised().binaryNote,
            "Периодът има 12 500 цифри; в скобите са първите 60.");
}

// A number with a whole part or a sign is practised on its fractional part, and says so.
TEST(Exercise, NamesTheNumberWhoseFractionalPartItPractises) {
  const std::pair<const char*, const char*> cases[] = {
      {"3.75", "Упражнение с дробната част на 3.75: 0.75"},
      {"-0.25", "Упражнение с дробната част на -0.25: 0.25"},
      {"12.5", "Упражнение с дробната част на 12.5: 0.5"},
      {"0.3", "Упражнение с дробта 0.3."},
      {"1.2E-05", "Упражнение с дробта 0.000012."},
  };
  for (const auto& [number, heading] : cases) {
    Exercise exercise;
    exercise.Start(number, "10");
    EXPECT_EQ(exercise.Heading(), heading) << number;
  }
  Exercise exercise;
  EXPECT_EQ(exercise.Start("3.75", "10"),
            "Упражнение с дробната част на 3.75: 0.75. Стъпка 1: колко е 0.75 × 2?");
}

TEST(Exercise, MarksEachAnswerRightOrWrongAndABlankNeither) {
  const std::pair<const char*, Verdict> cases[] = {
      {"0.9", Verdict::kRight}, {"0,90", Verdict::kRight}, {"1.9", Verdict::kWrong},
      {"x", Verdict::kWrong},   {" ", Verdict::kNone},
  };
  for (const auto& [answer, verdict] : cases) {
    Exercise exercise;
    exercise.Start("0.45", "10");
    EXPECT_EQ(exercise.LastVerdict(), Verdict::kNone);
    exercise.Check("2");
    exercise.Check(answer);
    EXPECT_EQ(exercise.LastVerdict(), verdict) << '"' << answer << '"';
  }
}

TEST(PracticeInputOf, TakesTheFractionAndTheChosenCount) {
  MainForm form;
  EXPECT_EQ(PracticeInputOf(form).fraction, "0.45");
  EXPECT_EQ(PracticeInputOf(form).count, std::nullopt);
  form.Diapazon[1].Select(5);
  EXPECT_EQ(PracticeInputOf(form).count, "10");
}

}  // namespace
}  // namespace kviltora
