#include "conversion_exercise.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kviltora {
namespace {

std::vector<std::string> Words(const char* text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Each kind of conversion, its questions' answers in order as Python works
// them (divmod, Fraction times the base, int(text, base), format(n, "o"/"X")),
// and the first and last questions asked.
struct KindCase {
  const char* number;
  int from, to;
  const char* answers;
  const char* first;
  const char* last;
};

const KindCase kKinds[] = {
    {"37", 10, 2, "18 1 9 0 4 1 2 0 1 0 0 1 100101", "Стъпка 1: колко е частното 37 : 2?",
     "Запишете цялата част в двоична бройна система."},
    {"2026", 10, 16, "126 A 7 E 0 7 7EA", "Стъпка 1: колко е частното 2026 : 16?",
     "Запишете цялата част в шестнадесетична бройна система."},
    {"0.1", 10, 2, "0.2 0 0.4 0 0.8 0 1.6 1 1.2 1 0.00011 0.0(0011)", "Стъпка 1: колко е 0.1 × 2?",
     "Запишете числото в двоична бройна система, с периода в скоби, ако има такъв."},
    {"0.625", 10, 8, "5 5 0.5", "Стъпка 1: колко е 0.625 × 8?",
     "Запишете дробната част: „0.“ и получените цифри."},
    {"2B.1", 16, 10, "32 11 0.0625 43.0625", "Стъпка 1: колко е 2 · 16¹?",
     "Колко е сборът на теглата?"},
    {"CE", 16, 8, "1100 1110 3 1 6 316", "Стъпка 1: кои 4 двоични цифри записват C?",
     "Запишете числото в осмична бройна система, с периода в скоби, ако има такъв."},
    {"101101", 2, 16, "2 D 2D", "Стъпка 1: коя цифра е групата 0010?",
     "Запишете числото в шестнадесетична бройна система, с периода в скоби, ако има такъв."},
};

TEST(ConversionExercise, AsksEachValueOfTheWorkedLinesInTurn) {
  for (const KindCase& c : kKinds) {
    SCOPED_TRACE(c.number);
    ConversionExercise exercise;
    exercise.Start(c.number, c.from, c.to);
    ASSERT_TRUE(exercise.Running()) << exercise.Refusal();
    const std::vector<std::string> answers = Words(c.answers);
    ASSERT_EQ(exercise.Questions().size(), answers.size());
    EXPECT_EQ(exercise.Question(), c.first);
    for (std::size_t i = 0; i < answers.size(); ++i) {
      if (i + 1 == answers.size()) {
        EXPECT_EQ(exercise.Question(), c.last);
      }
      EXPECT_EQ(exercise.Check(answers[i]).substr(0, 11), "Вярно.") << i << " " << answers[i];
    }
    ASSERT_TRUE(exercise.Finished());
    const std::string all = std::to_string(answers.size());
    EXPECT_EQ(exercise.Summarised().score, "Верни от първия опит: " + all + " от " + all + ".");
  }
}

// The answers that count for one question, and those that do not.
TEST(ConversionExercise, CountsADigitHoweverAPupilWritesIt) {
  struct Row {
    const char* number;
    int from, to;
    int skip;  // questions answered first
    const char* answer;
    bool right;
  };
  const Row rows[] = {
      {"2026", 10, 16, 1, "A", true},          {"2026", 10, 16, 1, "a", true},
      {"2026", 10, 16, 1, "10", true},         {"2026", 10, 16, 1, "0A", true},
      {"2026", 10, 16, 1, "B", false},         {"2026", 10, 16, 1, "1010", false},
      {"2026", 10, 16, 6, "7ea", true},        {"2026", 10, 16, 6, "07EA", true},
      {"2026", 10, 16, 6, "7EA.0", true},      {"2026", 10, 16, 6, "7E", false},
      {"0.1", 10, 2, 0, "0,2", true},          {"0.1", 10, 2, 0, ".20", true},
      {"0.1", 10, 2, 0, "0.02", false},        {"2B.1", 16, 10, 2, "0,06250", true},
      {"CE", 16, 8, 0, "1100", true},          {"CE", 16, 8, 0, "110", false},
      {"0.1", 10, 2, 11, "0.0(0011)", true},   {"0.1", 10, 2, 11, "0,0(0011)", true},
      {"0.1", 10, 2, 11, "0.00(0110)", false}, {"0.1", 10, 2, 11, "0.0(00110011)", false},
      {"0.1", 10, 2, 11, "0.00011", false},
  };
  for (const Row& row : rows) {
    ConversionExercise exercise;
    exercise.Start(row.number, row.from, row.to);
    for (int i = 0; i < row.skip; ++i) exercise.Check(exercise.Questions()[i].expected);
    exercise.Check(row.answer);
    EXPECT_EQ(exercise.LastVerdict(), row.right ? Verdict::kRight : Verdict::kWrong)
        << row.number << " " << row.answer;
  }
}

TEST(ConversionExercise, TellsAPeriodWrittenOtherwiseFromAWrongOne) {
  const std::string kOtherwise =
      "Цифрите са верни, но периодът е записан иначе. Подсказка — запишете периода веднъж и от "
      "първата цифра, от която започва да се повтаря.";
  const std::pair<const char*, std::string> cases[] = {
      {"0.00(0110)", kOtherwise},
      {"0.0(00110011)", kOtherwise},
      {"0.000(1100)", kOtherwise},
      {"0.0(0101)",
       "Не е вярно. Подсказка — цялата част, точката и дробната част, периодът в скоби."},
  };
  for (const auto& [answer, heard] : cases) {
    ConversionExercise exercise;
    exercise.Start("0.1", 10, 2);
    for (int i = 0; i < 11; ++i) exercise.Check(exercise.Questions()[i].expected);
    EXPECT_EQ(exercise.Check(answer), heard) << answer;
  }
}

TEST(ConversionExercise, ShowsTheAnswerAfterTwoWrongTriesAndSumsUp) {
  ConversionExercise exercise;
  EXPECT_EQ(exercise.Start("6", 10, 2),
            "Упражнение: 6₁₀ в двоична бройна система. Стъпка 1: колко е частното 6 : 2?");
  EXPECT_EQ(exercise.Check("2"), "Не е вярно. Подсказка — колко пъти 2 се съдържа в 6.");
  EXPECT_EQ(exercise.Check("4"),
            "Не е вярно. Верният отговор е 3. Стъпка 1: колко е остатъкът от 6 : 2?");
  for (const char* answer : {"0", "1", "1", "0", "1"}) exercise.Check(answer);
  EXPECT_EQ(exercise.Check("110"),
            "Вярно. Упражнението завърши. Верни от първия опит: 6 от 7. 6₁₀ = 110₂. Получава се "
            "6₁₀, числото, което е въведено.");
  const ConversionSummary& summary = exercise.Summarised();
  ASSERT_EQ(summary.lines.size(), 7u);
  EXPECT_EQ(summary.lines[0].asked, "6 : 2, частно");
  EXPECT_EQ(summary.lines[0].pupil, "2");
  EXPECT_EQ(summary.lines[0].worked, "3");
  EXPECT_TRUE(summary.lines[0].differs);
  EXPECT_FALSE(summary.lines[1].differs);
  EXPECT_EQ(summary.result, "6₁₀ = 110₂");
  EXPECT_EQ(exercise.Worked().front(), "6 : 2 = 3");
}

TEST(ConversionExercise, AsksTheFirstTwelveStepsOfALongPeriodOnly) {
  ConversionExercise exercise;
  const std::string said = exercise.Start("0.01", 10, 2);
  EXPECT_EQ(said,
            "Упражнение: 0.01₁₀ в двоична бройна система. Стъпките са повече, отколкото се "
            "правят на ръка: направете само първите 12. Стъпка 1: колко е 0.01 × 2?");
  ASSERT_EQ(exercise.Questions().size(), 25u);
  EXPECT_EQ(exercise.Questions()[22].expected, "0.96");
  EXPECT_EQ(exercise.Questions().back().expected, "0.000000101000");
}

TEST(ConversionExercise, RefusesWhatCannotBeConverted) {
  const std::tuple<const char*, int, int, const char*> cases[] = {
      {"12", 10, 10, "За упражнение изберете две различни основи."},
      {"2", 2, 10, "2 не е цифра в двоична бройна система."},
  };
  for (const auto& [number, from, to, refusal] : cases) {
    ConversionExercise exercise;
    EXPECT_EQ(exercise.Start(number, from, to), refusal);
    EXPECT_FALSE(exercise.Running());
  }
}

}  // namespace
}  // namespace kviltora
