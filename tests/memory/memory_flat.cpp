// Runs many calculations in one process and fails if the resident memory
// keeps growing after a warm-up, which a leak in any calculation path would do.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "form_model.h"
#include "procedures.h"
#include "random.h"

namespace {

using namespace kviltora;

constexpr long kWarmUp = 1'000;
constexpr long kMeasured = 10'000;
constexpr long kAllowedGrowth = 256 * 1024;

long ResidentBytes() {
  long size = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// Every path a click can take: calculations of all lengths, both refusals,
// clearing, proposals from every range, and a new form now and then.
const char* const kInputs[] = {"0.45", "0.3",    "3.75",     "-0.25",   "",    "букви", "1E999",
                               "0,45", "1E-400", "0.999999", "1.2E-05", "0.1", "-0",    "0.5"};

void Calculation(MainForm& form, long i) {
  if (i % 100 == 0) form = MainForm();
  form.Text1[1].Text = kInputs[i % std::size(kInputs)];
  form.Diapazon[1].Select(static_cast<std::int16_t>(i % 23 == 22 ? -1 : i % 23));
  if (i % 7 == 0) {
    form.Diapazon[0].Select(static_cast<std::int16_t>(i % 6));
    OnDiapazonClick(form, 0);
  }
  OnCommand1Click(form, 0);
  if (i % 5 == 0) OnCommand1Click(form, 1);
}

}  // namespace

int main() {
  SeedRandom(11);
  MainForm form;
  long i = 0;
  for (; i < kWarmUp; ++i) Calculation(form, i);
  const long before = ResidentBytes();
  for (; i < kWarmUp + kMeasured; ++i) Calculation(form, i);
  const long growth = ResidentBytes() - before;
  std::printf(
      "resident after %ld calculations: %ld KiB; after %ld more: %+ld KiB (limit %ld KiB)\n",
      kWarmUp, before / 1024, kMeasured, growth / 1024, kAllowedGrowth / 1024);
  return growth <= kAllowedGrowth ? 0 : 1;
}
