// The model's calculation and the number rules it leans on, without Qt.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string_view>

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

}  // namespace
}  // namespace kviltora
