// The model's calculation and the number rules it leans on, without Qt.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bases.h"
#include "conversion_exercise.h"
#include "exercise.h"
#include "form_model.h"
#include "number_text.h"
#include "procedures.h"

namespace kviltora {
namespace {

// Row 21 of the digit-count list is "26": the loop stops one short, at 25 digits.
constexpr std::int16_t kLargestCountRow = 21;

void BM_Calculate(benchmark::State& state, std::string_view input) {
  MainForm form;
  form.Text1[1].Text = input;
  form.Diapazon[1].Select(kLargestCountRow);
  for (auto _ : state) {
    OnCommand1Click(form, 0);
    benchmark::DoNotOptimize(form.Text1[2].Text.data());
  }
  state.counters["digits"] = form.Diapazon[2].ListCount();
}
BENCHMARK_CAPTURE(BM_Calculate, 0.45, "0.45");
BENCHMARK_CAPTURE(BM_Calculate, 0.1, "0.1");
BENCHMARK_CAPTURE(BM_Calculate, 0.3, "0.3");

void BM_ParseLeadingNumber(benchmark::State& state, std::string_view text) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseLeadingNumber(text));
}
BENCHMARK_CAPTURE(BM_ParseLeadingNumber, fraction, "0.45");
BENCHMARK_CAPTURE(BM_ParseLeadingNumber, count, "26");
BENCHMARK_CAPTURE(BM_ParseLeadingNumber, exponent_and_tail, "-1.25E+3 rest");

void BM_FormatGeneral(benchmark::State& state, double x) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatGeneral(x));
}
// A doubled fraction as the trace writes it, carrying its representation error.
BENCHMARK_CAPTURE(BM_FormatGeneral, doubled, 0.45 * 64 - 28);
BENCHMARK_CAPTURE(BM_FormatGeneral, digit, 1.0);

// The check writes every term and the sum with 24 decimals at 25 digits.
void BM_FormatFixed24(benchmark::State& state, double x) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatFixed(x, 24));
}
BENCHMARK_CAPTURE(BM_FormatFixed24, last_term, std::ldexp(1.0, -25));
BENCHMARK_CAPTURE(BM_FormatFixed24, sum, 0.449999988079071);

void BM_CounterBelow(benchmark::State& state) {
  std::int16_t counter = 25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(counter);
    benchmark::DoNotOptimize(CounterBelow(counter, "26"));
  }
}
BENCHMARK(BM_CounterBelow);

// The right answers of 0.1 with the count 26, from Python's fractions: 25
// products, each with its digit, then the binary fraction.
std::vector<std::string> AnswersFor01() {
  std::istringstream text(
      "0.2 0 0.4 0 0.8 0 1.6 1 1.2 1 0.4 0 0.8 0 1.6 1 1.2 1 0.4 0 0.8 0 1.6 1 1.2 1 0.4 0 0.8 "
      "0 1.6 1 1.2 1 0.4 0 0.8 0 1.6 1 1.2 1 0.4 0 0.8 0 1.6 1 1.2 1 "
      "0.0001100110011001100110011");
  std::vector<std::string> answers;
  for (std::string answer; text >> answer;) answers.push_back(answer);
  return answers;
}

// One answer checked and the page's texts read back for its redraw; the last
// answer of each exercise, which builds the summary, is left out.
void BM_PracticeAnswer(benchmark::State& state) {
  const std::vector<std::string> answers = AnswersFor01();
  Exercise exercise;
  std::size_t next = answers.size() - 1;
  for (auto _ : state) {
    if (next + 1 == answers.size()) {
      state.PauseTiming();
      exercise.Start("0.1", "26");
      next = 0;
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(exercise.Check(answers[next++]));
    benchmark::DoNotOptimize(exercise.Question());
    benchmark::DoNotOptimize(exercise.Worked().size());
  }
}
BENCHMARK(BM_PracticeAnswer);

// The last answer of a 25-digit exercise, which builds the summary and its
// utterance.
void BM_PracticeSummary(benchmark::State& state) {
  const std::vector<std::string> answers = AnswersFor01();
  Exercise exercise;
  for (auto _ : state) {
    state.PauseTiming();
    exercise.Start("0.1", "26");
    for (std::size_t i = 0; i + 1 < answers.size(); ++i) exercise.Check(answers[i]);
    state.ResumeTiming();
    benchmark::DoNotOptimize(exercise.Check(answers.back()));
  }
  state.counters["lines"] = static_cast<double>(exercise.Summarised().lines.size());
}
BENCHMARK(BM_PracticeSummary);

// One answer to a conversion exercise checked, for each kind of comparison:
// a number, a digit given by its value, and a result with its period.
void BM_ConversionAnswer(benchmark::State& state, int question, const char* answer) {
  ConversionExercise exercise;
  for (auto _ : state) {
    state.PauseTiming();
    exercise.Start("0.1", 10, 2);
    for (int i = 0; i < question; ++i) exercise.Check(exercise.Questions()[i].expected);
    state.ResumeTiming();
    benchmark::DoNotOptimize(exercise.Check(answer));
  }
}
BENCHMARK_CAPTURE(BM_ConversionAnswer, product, 0, "0,2");
BENCHMARK_CAPTURE(BM_ConversionAnswer, digit, 1, "0");
BENCHMARK_CAPTURE(BM_ConversionAnswer, period_otherwise, 11, "0.00(0110)");

void BM_ConversionHexRemainder(benchmark::State& state) {
  ConversionExercise exercise;
  for (auto _ : state) {
    state.PauseTiming();
    exercise.Start("2026", 10, 16);
    exercise.Check("126");
    state.ResumeTiming();
    benchmark::DoNotOptimize(exercise.Check("10"));
  }
}
BENCHMARK(BM_ConversionHexRemainder);

// The number-systems part's worked examples at its length limits: 12 + 10
// hexadecimal digits to base 10 (40 decimals in each place value), and the
// 10 decimals with the longest period to base 2 (cut after 60 of its digits).
void BM_BasesAtTheLimits(benchmark::State& state, std::string_view text, int from, int to) {
  for (auto _ : state) {
    const bases::Conversion conversion = bases::Convert(text, from, to);
    benchmark::DoNotOptimize(conversion.resultLine.data());
  }
}
BENCHMARK_CAPTURE(BM_BasesAtTheLimits, hex_to_decimal, "FFFFFFFFFFFF.FFFFFFFFFF", 16, 10);
BENCHMARK_CAPTURE(BM_BasesAtTheLimits, longest_period, "0.9999999999", 10, 2);
BENCHMARK_CAPTURE(BM_BasesAtTheLimits, decimal_to_hex, "999999999999.9999999999", 10, 16);

}  // namespace
}  // namespace kviltora
