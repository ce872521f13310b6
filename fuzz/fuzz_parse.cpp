// Reading the leading number of arbitrary bytes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "number_text.h"

namespace kviltora {
namespace {

using fuzz::Require;

// The value read, or nothing for NumberOverflow; any other exception escapes
// and counts as a crash.
using Outcome = std::optional<double>;

Outcome Read(std::string_view text) {
  try {
    return ParseLeadingNumber(text);
  } catch (const NumberOverflow&) {
    return std::nullopt;
  }
}

bool Same(Outcome a, Outcome b) {
  return a.has_value() == b.has_value() && (!a || *a == *b);
}

Outcome Negated(Outcome v) {
  return v ? Outcome(-*v) : v;
}

bool StartsANumber(char c) {
  return (c >= '0' && c <= '9') || c == '.';
}

// From a digit or a point on, strtod reads the same decimal grammar, apart
// from its hexadecimal form, and rounds just as exactly; an infinity is its
// way of saying overflow.
bool StrtodReadsAlike(std::string_view text) {
  if (text.empty() || !StartsANumber(text[0])) return false;
  return !(text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
}

Outcome ReadWithStrtod(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isinf(value) ? std::nullopt : Outcome(value);
}

void CheckSignsAndBlanks(const std::string& text, Outcome read) {
  Require(Same(Read("-" + text), Negated(read)), "a minus negates", text);
  Require(Same(Read("+" + text), read), "a plus changes nothing", text);
  Require(Same(Read(" \t " + text), read), "leading blanks change nothing", text);
}

}  // namespace
}  // namespace kviltora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kviltora;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Outcome read = Read(text);
  fuzz::Require(!read || std::isfinite(*read), "a finite value or NumberOverflow", text);
  // The number ends where its grammar does, never at the end of the text.
  fuzz::Require(Same(Read(text + "#"), read), "a trailing non-number character changes nothing",
                text);
  if (StrtodReadsAlike(text)) {
    fuzz::Require(Same(read, ReadWithStrtod(text)), "agrees with strtod", text);
    CheckSignsAndBlanks(text, read);
  }
  const bool beginsWithNone = !text.empty() && !StartsANumber(text[0]) &&
                              std::string_view("+- \t").find(text[0]) == std::string_view::npos;
  if (beginsWithNone) fuzz::Require(Same(read, 0.0), "no leading number reads as 0", text);
  return 0;
}
