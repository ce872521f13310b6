// Converting a number typed in one base to another, as «Преобразувай» does.
//
// Input: one byte choosing the bases ('a' to 'p': from 2, 8, 10, 16 in fours,
// to 2, 8, 10, 16 within them, so 'c' is 2 to 10 and 'j' 10 to 8); the rest is
// the number as typed.
#include <cstdint>
#include <string>

#include "bases.h"
#include "fuzz_check.h"

namespace kviltora {
namespace {

using fuzz::Require;

void CheckRefused(const bases::Conversion& conversion, const std::string& text) {
  Require(conversion.steps.empty() && conversion.check.empty() && conversion.resultLine.empty() &&
              !conversion.typed && !conversion.result,
          "a refused input computes nothing", text);
}

// The result read back as a number of its base converts to the number typed;
// a period, which no one types, is checked by the check's own series instead.
void CheckReadBack(const bases::Conversion& conversion, int to, const std::string& text) {
  const bases::Result& result = *conversion.result;
  if (result.periodLength > bases::kPeriodDigitsShown) return;
  Require(conversion.checkAgrees, "the check gives back the number typed", text);
  if (result.periodLength > 0) return;
  const bases::Number& typed = *conversion.typed;
  const std::string written = bases::NumberText(result.number);
  // A result from base 16 to 10 may have 40 decimals, more than anyone may type.
  const bases::Reading reading = bases::ReadNumber(written, to);
  if (!reading.number) return;
  const bases::Conversion back = bases::Convert(*reading.number, typed.base);
  Require(back.refusal.empty() && back.result && back.result->number == typed,
          "a conversion read back gives the number typed", text);
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  if (size == 0) return 0;
  const unsigned choice = (data[0] - 'a') & 15u;
  const int from = bases::kBases[choice / 4];
  const int to = bases::kBases[choice % 4];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bases::Conversion conversion = bases::Convert(text, from, to);
  const bases::Reading reading = bases::ReadNumber(text, from);
  fuzz::Require(conversion.refusal == reading.refusal, "one reading of the number", text);
  if (!conversion.refusal.empty()) {
    CheckRefused(conversion, text);
    return 0;
  }
  fuzz::Require(conversion.typed == reading.number, "the number typed is the one read", text);
  if (from == to) return 0;
  CheckReadBack(conversion, to, text);
  return 0;
}
