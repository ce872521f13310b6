#include "exact_decimal.h"

#include <gtest/gtest.h>

namespace kviltora {
namespace {

struct ReadCase {
  const char* text;
  FractionReading reading;
  std::uint64_t numerator;
  int decimals;
};

TEST(ReadExactFraction, ReadsTheFractionOfTheLeadingNumberExactly) {
  using enum FractionReading;
  const ReadCase cases[] = {
      {"0.45", kRead, 45, 2},
      {"1.2E-05", kRead, 12, 6},
      {"0.7x", kRead, 7, 1},
      {"-3.75", kRead, 75, 2},
      {"  .5", kRead, 5, 1},
      {"0.4500", kRead, 45, 2},
      {"12.5e-1", kRead, 25, 2},
      {"1E-10", kRead, 1, 10},
      {"0.9999999999", kRead, 9999999999, 10},
      {"123456789012345678901.5", kRead, 5, 1},
      {"1", kNoFraction, 0, 0},
      {"5.", kNoFraction, 0, 0},
      {"0,45", kNoFraction, 0, 0},
      {"1.5E3", kNoFraction, 0, 0},
      {"1E999", kNoFraction, 0, 0},
      {"-0.000", kNoFraction, 0, 0},
      {"abc", kNotANumber, 0, 0},
      {"", kNotANumber, 0, 0},
      {"- 0.5", kNotANumber, 0, 0},
      {"1E-11", kTooManyDecimals, 0, 0},
      {"0.00000000001", kTooManyDecimals, 0, 0},
      {"0.12345678901", kTooManyDecimals, 0, 0},
      {"5E-99999999999999", kTooManyDecimals, 0, 0},
  };
  for (const ReadCase& c : cases) {
    const ExactFraction read = ReadExactFraction(c.text);
    EXPECT_EQ(read.reading, c.reading) << '"' << c.text << '"';
    EXPECT_EQ(read.fraction, (ExactDecimal{c.numerator, c.decimals})) << '"' << c.text << '"';
  }
}

TEST(DecimalText, WritesTheNumberAsAPupilDoes) {
  const std::pair<ExactDecimal, const char*> cases[] = {
      {{45, 2}, "0.45"},
      {{18, 1}, "1.8"},
      {{10, 1}, "1"},
      {{0, 0}, "0"},
      {{12, 6}, "0.000012"},
      {{2, 0}, "2"},
      {{19999999998, 10}, "1.9999999998"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(DecimalText(x), text);
}

TEST(HandWrittenNumber, AcceptsWhatAPupilWritesForTheSameNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"0.9", "0.9"},
      {"0,9", "0.9"},
      {".9", "0.9"},
      {"0.90", "0.9"},
      {" 0.9 ", "0.9"},
      {"\t,90\t", "0.9"},
      {"00.9", "0.9"},
      {"1", "1"},
      {"1.", "1"},
      {"1,000", "1"},
      {"0", "0"},
      {"0.011100110", "0.01110011"},
      {"0.0111001100110011001100110", "0.011100110011001100110011"},
      {"", nullptr},
      {"  ", nullptr},
      {".", nullptr},
      {"-0.9", nullptr},
      {"+0.9", nullptr},
      {"9E-1", nullptr},
      {"0.9x", nullptr},
      {"0. 9", nullptr},
      {"0.9.", nullptr},
      {"0,9,", nullptr},
      {"0.9,0", nullptr},
      {"девет", nullptr},
  };
  for (const auto& [text, same] : cases) {
    const std::optional<std::string> read = HandWrittenNumber(text);
    if (same) {
      EXPECT_EQ(read, same) << '"' << text << '"';
    } else {
      EXPECT_FALSE(read) << '"' << text << '"';
    }
  }
}

// Expected digits from Python's fractions: doubling until a remainder repeats.
TEST(ExactBinary, WritesThePeriodInParentheses) {
  struct Case {
    ExactDecimal fraction;
    std::uint64_t periodLength;
    const char* notation;
  };
  const Case cases[] = {
      {{45, 2}, 4, "0.01(1100)"},
      {{1, 1}, 4, "0.0(0011)"},
      {{2, 1}, 4, "0.(0011)"},
      {{375, 3}, 0, "0.011"},
      {{5, 1}, 0, "0.1"},
      {{2992, 6}, 12500, "0.00(000000110001000001010101101110001001100100111001001000011000…)"},
      {{12, 6}, 12500, "0.0000(000000000000110010010101001110011011100010001000011100100010…)"},
      {{9999999999, 10},
       7812500,
       "0.1111111111(111111111111111111111110010010000011001000000010011000101000…)"},
  };
  for (const Case& c : cases) {
    const BinaryExpansion expansion = ExactBinary(c.fraction);
    EXPECT_EQ(expansion.periodLength, c.periodLength) << c.notation;
    EXPECT_EQ(BinaryNotation(expansion), c.notation);
  }
}

}  // namespace
}  // namespace kviltora
